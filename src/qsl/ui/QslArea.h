#pragma once

#include <QObject>

class CardFolder;
class EntryArea;
class QslOptions;
class QslInShowForm;
class QslPage;
class QslPresentationForm;
class Shell;

// The QSL subsystem in the main window: the evaluation page "QSL", the
// options tab "QSL" (the card rule), and the card images: renaming a scan
// and showing a call's cards from the edit tab, and the slide show of the
// menu "QSL-Collection ...".
class QslArea : public QObject {
    Q_OBJECT
public:
    QslArea(Shell& shell, EntryArea& entry, QObject* parent = nullptr);

    QslPage& page() const { return *m_page; }

    // "QSL umbenennen": a scan chosen in a file dialog becomes the call's
    // next card in the card folder.
    void eQslInAddBtnClick(const QString& call, const QString& dialogTitle);
    // "QSL anzeigen": the call's cards in the viewer.
    void eQslInShowBtnClick(const QString& call);
    // "QSL-Collection ...": every card of the folder as a slide show.
    void QslPresentationMenuClick();

private:
    CardFolder cardFolder() const;

    Shell& m_shell;
    EntryArea& m_entry;
    QslOptions* m_options;
    QslPage* m_page;
    // Built once, so that the language file reaches their captions.
    QslInShowForm* m_viewer;
    QslPresentationForm* m_slideShow;
};
