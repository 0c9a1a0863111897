#pragma once

#include <QString>
#include <vector>

// What each of the 373 lines of a language file is for. A line's meaning is
// its position alone, so this table is the one place that knows it: windows
// only carry the objectNames the table names.
class LanguageTargets {
public:
    static constexpr int LineCount = 373;

    enum class Kind {
        Caption, // caption of a control, menu item, tab page or (empty control) window
        Lines,   // whole text of a memo
        Items,   // items of a drop-down list, one per line break
        Rows,    // key=value rows of a key/value grid, one per line break
        Tabs,    // tab captions of a tab control, one per line break
        Hint,    // hover hint
        Text,    // a text a window keeps for its messages and dialogs
        Message, // an entry of LanguageTexts
    };

    struct Target {
        int line = 0;       // 1-based line of the language file
        QString window;     // objectName of the window
        QString control;    // objectName of the control or text; empty: the window itself
        Kind kind = Kind::Caption;
        int messageIndex = -1; // LanguageTexts index for Kind::Message
        QString describe() const; // "line 17: MainForm/GroupBox1" for messages to the developer
    };

    // All 373 targets, in line order.
    static const std::vector<Target>& all();
    static const Target& at(int line) { return all()[static_cast<std::size_t>(line - 1)]; }
    // The line of a window's text (Kind::Text) or control; 0 when there is none.
    static int lineOf(const QString& window, const QString& control);
    // The line that holds LanguageTexts entry index.
    static int lineOfMessage(int index);
};
