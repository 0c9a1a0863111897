#pragma once

class EntryMask;
class OptionsPage;
class QAction;
class QString;
class QTabWidget;
class QToolButton;
class QWidget;
class Session;

// Where the program goes after a contact opened for editing was saved.
// The values are those the other windows have always passed around.
enum class ReturnTarget { List = 0, QslEvaluation = 1, Search = 2, Entry = 3, ContestResults = 4 };

// The pages of the main window, in the order of its tabs.
enum class Page { Entry, List, Edit, Search, Evaluations, Options, PaperLog };

// What a subsystem may ask of the main window. Each subsystem object gets
// the shell at construction, fills its tabs, enables its menu entries and
// makes its connections; it never reaches into another subsystem's controls.
class Shell {
public:
    virtual Session& session() = 0;
    // The contact being entered, for everything that reads or fills the mask.
    virtual EntryMask& entryMask() = 0;
    // The window the subsystem's dialogs and secondary windows belong to.
    virtual QWidget* window() = 0;

    // Puts a page among the main tabs at the place its kind has.
    virtual void addPage(Page page, QWidget* widget, const QString& caption) = 0;
    virtual void showPage(Page page) = 0;
    virtual bool isCurrent(Page page) const = 0;
    // The tabs inside "Auswertungen".
    virtual QTabWidget& evaluationPages() = 0;
    // A tab of "Auswertungen", placed by its objectName where it has always stood.
    virtual void addEvaluationPage(QWidget* page, const QString& caption) = 0;
    // A tab of "Optionen"; its applySettings() runs at start with the others.
    virtual void addOptionsPage(OptionsPage* page, const QString& tabName, const QString& caption) = 0;
    // A menu entry of the main menu by its objectName, or nullptr.
    virtual QAction* menuEntry(const QString& objectName) = 0;
    // A speed button in the row beside the tabs, before the page history's.
    virtual void addSpeedButton(QToolButton* button) = 0;

    // Opens a contact of the current log (row of the list) in the edit tab;
    // after saving the program goes to target.
    virtual void openForEdit(int row, ReturnTarget target) = 0;
    // Reads the current log again into every list.
    virtual void reloadLists() = 0;
    // A log file was created: the log-file menu lists it.
    virtual void logFilesChanged() = 0;

protected:
    ~Shell() = default;
};
