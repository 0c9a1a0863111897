#pragma once

#include <QString>
#include <array>

// The 99 program messages of the language file, indexed 0..98. Until a
// language file is applied they hold the built-in German texts, so that the
// program speaks even when its language file is missing.
class LanguageTexts {
public:
    static constexpr int Count = 99;

    // Indexes with a fixed role.
    enum : int {
        BandPrompt = 1,     // prompt of the free band input box
        ModePrompt = 2,     // prompt of the free mode input box
        PowerMilliwatt = 3, // "m" typed into the power editor
        PowerKilowatt = 4,  // "k" typed into the power editor
        PowerMegawatt = 5,  // "M" typed into the power editor
        ImpossibleLocator = 6, // followed by " (" + the locator(s) + ")"
        AutoNumberNeedsNumber = 7, // auto-number ticked with an append text that is no number
        NewLogEntry = 8,    // last entry of the log-file menu
        LogMenuCaption = 9, // log-file menu caption, followed by the current log
        LogVanished = 10,   // after '"' + file name: the chosen log is gone
        NewLogTitle = 11,   // title of the new-log input box
        NewLogPrompt = 12,  // its prompt
        LogExists = 13,     // between '"' + name and full path + '"!'
        HintAnd = 26,       // between the last two field names of a button hint
        CallAlwaysCompared = 43, // the call box of the duplicate check cannot be unticked
        ButtonHintStart = 47, // function button hint: "F1: " + this + fields + ...
        ButtonHintEnd = 48,   // ... + this
        ReferenceLogTitle = 49,  // title of the file dialog choosing a reference log
        ReferenceLogFilter = 50, // its file-type filter
        CardSearchNoInput = 52,   // received-card search without call, date and UTC
        CardSearchAddMissing = 53, // question: the card matches no contact; add it?
        CardSearchNeedsAll = 54,  // the card matches no contact and call, date or UTC is empty
        ScanFileFilter = 67,      // file-type filter of the dialog choosing a card scan
        OverwriteCellsStart = 68, // question before filling selected cells: this + log path + ...
        OverwriteCellsEnd = 69,   // ... + this
    };

    LanguageTexts();
    const QString& operator[](int index) const { return m_texts[static_cast<std::size_t>(index)]; }
    void set(int index, const QString& text) { m_texts[static_cast<std::size_t>(index)] = text; }
    void clear();
    static LanguageTexts builtInGerman();

private:
    struct Empty {};
    explicit LanguageTexts(Empty) {}
    std::array<QString, Count> m_texts;
};
