#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QScrollArea;

// The modal window with what the DXCC table knows about one call, and the
// map of its entity below the text.
class DxccInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit DxccInfoForm(QWidget* parent = nullptr);

    // Fills the text, sizes its box to the lines and loads the map; a map
    // that cannot be loaded leaves a strip of ten pixels.
    void fill(const QString& country, const QStringList& lines, const QString& mapFile);

    QString text() const;
    bool hasMap() const;
    QRect textBox() const;
    QRect mapBox() const;

private:
    QScrollArea* m_scroll;
    QPlainTextEdit* m_memo;
    QLabel* m_image;
};
