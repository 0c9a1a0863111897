#pragma once

#include <QString>
#include <QStringList>
#include <array>

class LanguageTexts;
class Settings;

// The twelve mask items that can sit on a function key F1..F12, each known
// by a letter a..l. Editor items open a pop-up editor, the others show or
// hide their field.
namespace MaskItem {
enum Item : int { Date, Utc, Band, Mode, Dok, Locator, TxPwr, Qth, Name, Comments, QslOut, QslIn, Count };
QChar letter(int item);
int fromLetter(QChar letter); // -1 for anything but a..l
bool isEditor(int item);
QString caption(int item); // short text on a function button, "Locat."
QString hint(int item);    // quoted name in hints, "'Locator'"
} // namespace MaskItem

// Which item sits on which function key, as the "Buttons" section stores it:
// "BF" + i holds the letters of the items on key Fi in letter order.
class FieldBindings {
public:
    static constexpr int ButtonCount = 12;

    FieldBindings();

    // Reads "Buttons"/"BF1".."BF12"; unknown characters are ignored.
    void load(const Settings& settings);
    // Writes all twelve keys.
    void store(Settings& settings) const;

    // The letters of button 1..12, as they are handled when the key is pressed.
    QString letters(int button) const;
    // The button of an item, 0 for none ("---").
    int button(int item) const { return m_button[static_cast<std::size_t>(item)]; }
    // Binds an item and recomputes every button's letters. An editor item that
    // then shares its button with any other item loses it: one key cannot
    // open an editor and do something else at once. Returns the items that
    // were unbound that way.
    QList<int> bind(int item, int button);

    QString caption(int button) const; // "F3: DOK, Name"
    QString hint(int button, const LanguageTexts& texts) const;

    // The shortcut list: the fixed introduction, "[Fi]" and the fields of
    // every key that has any, then the closing lines.
    QStringList shortcutLines(const LanguageTexts& texts) const;

private:
    void rebuildLetters();
    std::array<int, MaskItem::Count> m_button{};
    std::array<QString, ButtonCount> m_letters;
};
