#pragma once

#include <QDialog>

#include <functional>

enum class Msg : int;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QTimer;
class Session;
class TextForm;

// The about box: program and version, one of six map views, the credits
// scrolling endlessly, and two links to the manual and the licences.
class AboutForm : public QDialog {
    Q_OBJECT
public:
    AboutForm(Session& session, TextForm& textForm, QWidget* parent = nullptr);

    void TimerTimer();
    void MemoDblClick();
    QString credits() const;
    int shownPicture() const; // 0..5
    int creditsTop() const;
    bool scrolling() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* link(const char* name, Msg caption, const QString& file);

    Session& m_session;
    TextForm& m_textForm;
    QLabel* m_version;
    QList<QLabel*> m_pictures;
    QFrame* m_panel;
    QPlainTextEdit* m_credits;
    QTimer* m_timer;
};
