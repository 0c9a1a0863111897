#include "entry/FieldBindings.h"

#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QStringList>

namespace {
const QString kButtons = QStringLiteral("Buttons");
QString buttonKey(int button) { return QStringLiteral("BF%1").arg(button); }

struct ItemTexts {
    const char* caption;
    const char* hint;
};
constexpr std::array<ItemTexts, MaskItem::Count> kItems = {{{"Date", "'Date'"},
                                                            {"UTC", "'UTC'"},
                                                            {"Band", "'Band'"},
                                                            {"Mode", "'Mode'"},
                                                            {"DOK", "'DOK'"},
                                                            {"Locat.", "'Locator'"},
                                                            {"TX Pwr", "'TX Pwr'"},
                                                            {"QTH", "'QTH'"},
                                                            {"Name", "'Name'"},
                                                            {"Cmnts.", "'Comments'"},
                                                            {"QSL Out", "'QSL Out'"},
                                                            {"QSL In", "'QSL In'"}}};
} // namespace

namespace MaskItem {
QChar letter(int item) { return QChar(u'a' + item); }
int fromLetter(QChar c) { return c >= u'a' && c <= u'l' ? c.unicode() - u'a' : -1; }
bool isEditor(int item) { return item == Date || item == Utc || item == Band || item == Mode || item == TxPwr; }
QString caption(int item) { return QString::fromLatin1(kItems[static_cast<std::size_t>(item)].caption); }
QString hint(int item) { return QString::fromLatin1(kItems[static_cast<std::size_t>(item)].hint); }
} // namespace MaskItem

FieldBindings::FieldBindings() = default;

void FieldBindings::load(const Settings& settings) {
    m_button.fill(0);
    for (int b = 1; b <= ButtonCount; ++b) {
        QString letters;
        for (const QChar c : settings.readString(kButtons, buttonKey(b))) {
            const int item = MaskItem::fromLetter(c);
            if (item >= 0 && !letters.contains(c)) {
                letters += c;
                m_button[static_cast<std::size_t>(item)] = b;
            }
        }
        m_letters[static_cast<std::size_t>(b - 1)] = letters;
    }
}

void FieldBindings::store(Settings& settings) const {
    for (int b = 1; b <= ButtonCount; ++b)
        settings.writeString(kButtons, buttonKey(b), letters(b));
}

QString FieldBindings::letters(int button) const {
    return button >= 1 && button <= ButtonCount ? m_letters[static_cast<std::size_t>(button - 1)] : QString();
}

QList<int> FieldBindings::bind(int item, int button) {
    m_button[static_cast<std::size_t>(item)] = button;
    QList<int> unbound;
    for (int editor = 0; editor < MaskItem::Count; ++editor) {
        const int b = m_button[static_cast<std::size_t>(editor)];
        if (!MaskItem::isEditor(editor) || b == 0)
            continue;
        for (int other = 0; other < MaskItem::Count; ++other) {
            if (other != editor && m_button[static_cast<std::size_t>(other)] == b) {
                m_button[static_cast<std::size_t>(editor)] = 0;
                unbound << editor;
                break;
            }
        }
    }
    rebuildLetters();
    return unbound;
}

void FieldBindings::rebuildLetters() {
    for (QString& l : m_letters)
        l.clear();
    for (int item = 0; item < MaskItem::Count; ++item) {
        const int b = m_button[static_cast<std::size_t>(item)];
        if (b > 0)
            m_letters[static_cast<std::size_t>(b - 1)] += MaskItem::letter(item);
    }
}

QString FieldBindings::caption(int button) const {
    QStringList parts;
    for (const QChar c : letters(button))
        parts << MaskItem::caption(MaskItem::fromLetter(c));
    return QStringLiteral("F%1: ").arg(button) + parts.join(QStringLiteral(", "));
}

QString FieldBindings::hint(int button, const LanguageTexts& texts) const {
    QStringList hints;
    for (const QChar c : letters(button))
        hints << MaskItem::hint(MaskItem::fromLetter(c));
    QString joined;
    for (int i = 0; i < hints.size(); ++i) {
        if (i > 0)
            joined += i == hints.size() - 1 ? texts[LanguageTexts::HintAnd] : QStringLiteral(", ");
        joined += hints[i];
    }
    return QStringLiteral("F%1: ").arg(button) + texts[LanguageTexts::ButtonHintStart] + u' ' + joined + u' ' + texts[LanguageTexts::ButtonHintEnd];
}

QStringList FieldBindings::shortcutLines(const LanguageTexts& texts) const {
    // Texts 27 to 37 introduce the list, 38 starts a key's line, 39 to 41 close it.
    QStringList lines;
    const auto add = [&lines](QString text) {
        text.replace(QLatin1String("#13#10"), QLatin1String("\n"));
        lines << text.split(u'\n');
    };
    for (int i = 27; i <= 37; ++i)
        add(texts[i]);
    for (int button = 1; button <= ButtonCount; ++button) {
        if (letters(button).isEmpty())
            continue;
        QStringList hints;
        for (const QChar c : letters(button))
            hints << MaskItem::hint(MaskItem::fromLetter(c));
        lines << QStringLiteral("[F%1]").arg(button) << texts[38] + hints.join(QStringLiteral(", "));
    }
    for (int i = 39; i <= 41; ++i)
        add(texts[i]);
    return lines;
}
