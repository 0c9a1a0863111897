#include "qsl/QslMarks.h"

#include "logstore/DateText.h"

namespace {
const QString kMarker = QStringLiteral("no QSL");
const QString kSeparator = QStringLiteral(" / ");
} // namespace

namespace QslMarks {

void toggleSent(QsoRecord& r, const QDate& today) {
    QString& sent = r[QsoRecord::QslOut];
    sent = sent.isEmpty() ? DateText::formatDate(today) : QString();
}

void toggleDeclined(QsoRecord& r) {
    QString& comments = r[QsoRecord::Comments];
    if (comments.contains(kMarker)) {
        const qsizetype withSeparator = comments.indexOf(kSeparator + kMarker);
        if (withSeparator >= 0)
            comments.remove(withSeparator, kSeparator.size() + kMarker.size());
        else
            comments.remove(comments.indexOf(kMarker), kMarker.size());
    } else {
        comments = comments.isEmpty() ? kMarker : comments + kSeparator + kMarker;
    }
}

} // namespace QslMarks
