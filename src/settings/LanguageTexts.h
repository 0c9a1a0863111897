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
        TotalsHeading = 42, // QSO count table: heading of the totals column and row
        CallAlwaysCompared = 43, // the call box of the duplicate check cannot be unticked
        LocatorSaveTitle = 44,  // title of the dialog saving the locator HTML file
        LocatorSaveFilter = 45, // its file-type filter
        LocatorHtmlTitle = 46,  // line 4 of the locator HTML file: this + own call + "</title>"
        ButtonHintStart = 47, // function button hint: "F1: " + this + fields + ...
        ButtonHintEnd = 48,   // ... + this
        ReferenceLogTitle = 49,  // title of the file dialog choosing a reference log
        ReferenceLogFilter = 50, // its file-type filter
        CardSearchNoInput = 52,   // received-card search without call, date and UTC
        CardSearchAddMissing = 53, // question: the card matches no contact; add it?
        CardSearchNeedsAll = 54,  // the card matches no contact and call, date or UTC is empty
        ResultStart = 55,          // evaluation result line: this + worked + 57/58/59 + confirmed + 56
        ResultEnd = 56,
        ResultSquares = 57,
        ResultDoks = 58,
        ResultDxccs = 59,
        OwnSquareInvalidStart = 60, // this + own locator + 61: the evaluation stops
        OwnSquareInvalidEnd = 61,
        SquareInvalidStart = 62,    // this + square + 63: left out of the table
        SquareInvalidEnd = 63,
        ShortCallStart = 64,        // this + call + 65 + contact number + 66: not counted
        ShortCallMiddle = 65,
        ShortCallEnd = 66,
        ScanFileFilter = 67,      // file-type filter of the dialog choosing a card scan
        OverwriteCellsStart = 68, // question before filling selected cells: this + log path + ...
        OverwriteCellsEnd = 69,   // ... + this
        CountsInfoAll = 94,       // info lines of the QSO count views
        CountsInfoSent = 95,
        CountsInfoReceived = 96,
        CountsInfoOverview = 97,
        CountsInfoPercent = 98,
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
