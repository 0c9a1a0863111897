#include "qsl/ReceivedCardInput.h"

#include "logstore/DateText.h"
#include "platform/ProgramTexts.h"

namespace ReceivedCardInput {

Result date(const QString& typed, int currentYear) {
    Result r;
    if (typed.size() < 4)
        return r;
    r.given = true;
    QString text = typed;
    if (!text.contains(u'.')) {
        if (text.size() == 4)
            text = text.left(2) + u'.' + text.mid(2, 2) + u'.' + QString::number(currentYear);
        else if (text.size() == 6)
            text = text.left(2) + u'.' + text.mid(2, 2) + QStringLiteral(".20") + text.mid(4);
        else if (text.size() == 8)
            text = text.left(2) + u'.' + text.mid(2, 2) + u'.' + text.mid(4);
    }
    const auto parsed = DateText::parseDate(text, currentYear);
    if (parsed)
        r.text = DateText::formatDate(*parsed);
    else
        r.error = msgText(Msg::QslDateUnreadable).arg(typed);
    return r;
}

Result time(const QString& typed) {
    Result r;
    if (typed.size() < 2)
        return r;
    r.given = true;
    QString text = typed;
    if (!text.contains(u':')) {
        if (text.size() == 2)
            text += QStringLiteral(":00");
        else if (text.size() == 4)
            text = text.left(2) + u':' + text.mid(2);
        else if (text.size() == 6)
            text = text.left(2) + u':' + text.mid(2, 2) + u':' + text.mid(4);
    }
    const auto parsed = DateText::parseTime(text);
    if (parsed)
        r.text = DateText::formatTime(*parsed);
    else
        r.error = msgText(Msg::QslTimeUnreadable).arg(typed);
    return r;
}

} // namespace ReceivedCardInput
