#include "evaluations/QsoCounts.h"

#include "logstore/LogFile.h"
#include "refdata/Locator.h"
#include "settings/LanguageTexts.h"

#include <QHash>
#include <QPainter>
#include <QtMath>

namespace {

int indexOf(QHash<QString, int>& index, QStringList& texts, QStringView text) {
    const QString t = text.toString();
    const auto it = index.constFind(t);
    if (it != index.constEnd())
        return *it;
    index.insert(t, static_cast<int>(texts.size()));
    texts << t;
    return static_cast<int>(texts.size()) - 1;
}

int percent(int part, int whole) {
    return whole == 0 ? -1 : static_cast<int>(Locator::roundHalfEven(double(part) / whole * 100.0));
}

QString shareText(int share) { return share < 0 ? QStringLiteral("-") : QString::number(share); }

} // namespace

QsoCounts QsoCounts::count(LogFile& log) {
    QsoCounts c;
    struct Hit {
        int band, mode;
        bool sent, received;
    };
    QVector<Hit> hits;
    QHash<QString, int> bandIndex;
    QHash<QString, int> modeIndex;
    log.scanPacked([&](const QString&, const PackedRecord& r) {
        hits.push_back({indexOf(bandIndex, c.m_bands, r.rawField(QsoRecord::Band)),
                        indexOf(modeIndex, c.m_modes, r.rawField(QsoRecord::Mode)),
                        !r.rawField(QsoRecord::QslOut).isEmpty(), !r.rawField(QsoRecord::QslIn).isEmpty()});
        return false;
    });
    const qsizetype bands = c.m_bands.size();
    const qsizetype modes = c.m_modes.size();
    const qsizetype width = modes + 1;
    for (QVector<int>* m : {&c.m_all, &c.m_sent, &c.m_received})
        m->fill(0, (bands + 1) * width);
    for (const Hit& h : hits) {
        for (const qsizetype i : {h.band * width + h.mode, h.band * width + modes, bands * width + h.mode,
                                  bands * width + modes}) {
            ++c.m_all[i];
            c.m_sent[i] += h.sent;
            c.m_received[i] += h.received;
        }
    }
    return c;
}

QsoCounts::Shares QsoCounts::shares(int band, int mode) const {
    const int a = all(band, mode);
    const int s = sent(band, mode);
    const int r = received(band, mode);
    return {percent(s, a), percent(r, a), percent(r, s)};
}

QString QsoCounts::cellText(View view, int band, int mode) const {
    switch (view) {
    case View::Overview:
        return QStringLiteral("%1/%2/%3").arg(all(band, mode)).arg(sent(band, mode)).arg(received(band, mode));
    case View::OverviewPercent: {
        const Shares s = shares(band, mode);
        return shareText(s.sent) + u'/' + shareText(s.received) + u'/' + shareText(s.receivedOfSent);
    }
    case View::All: return QString::number(all(band, mode));
    case View::Sent: return QString::number(sent(band, mode));
    case View::Received: return QString::number(received(band, mode));
    }
    return {};
}

QVector<QStringList> QsoCounts::table(View view, const LanguageTexts& texts) const {
    const QString total = texts[LanguageTexts::TotalsHeading];
    QVector<QStringList> rows;
    rows << (QStringList{QStringLiteral("Mode / Band")} + m_bands + QStringList{total});
    for (int mode = 0; mode <= m_modes.size(); ++mode) {
        QStringList row{mode < m_modes.size() ? m_modes[mode] : total};
        for (int band = 0; band <= m_bands.size(); ++band)
            row << cellText(view, band, mode);
        rows << row;
    }
    return rows;
}

int QsoCounts::infoTextIndex(View view) {
    switch (view) {
    case View::Overview: return LanguageTexts::CountsInfoOverview;
    case View::OverviewPercent: return LanguageTexts::CountsInfoPercent;
    case View::All: return LanguageTexts::CountsInfoAll;
    case View::Sent: return LanguageTexts::CountsInfoSent;
    case View::Received: return LanguageTexts::CountsInfoReceived;
    }
    return LanguageTexts::CountsInfoOverview;
}

PieSector pieSector(int share, int radius) {
    PieSector p;
    p.box = QRect(50 - radius, 50 - radius, 2 * radius, 2 * radius);
    if (share >= 100) {
        p.kind = PieSector::Full;
        p.spanAngle16 = 360 * 16;
        return p;
    }
    if (share < 1)
        return p;
    p.kind = PieSector::Sector;
    // The start point comes from whole degrees and whole pixels, as the
    // sector has always been drawn.
    int a = static_cast<int>(Locator::roundHalfEven(share / 100.0 * 360.0)) - 180;
    while (a < 0)
        a += 360;
    while (a > 360)
        a -= 360;
    const double b = qDegreesToRadians(double(360 - a));
    p.start = QPoint(static_cast<int>(Locator::roundHalfEven(std::sin(b) * radius + 50)),
                     static_cast<int>(Locator::roundHalfEven(std::cos(b) * radius + 50)));
    const double startDegrees = qRadiansToDegrees(std::atan2(50.0 - p.start.y(), p.start.x() - 50.0));
    double span = 90.0 - startDegrees;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    p.startAngle16 = qRound(startDegrees * 16);
    p.spanAngle16 = qRound(span * 16);
    return p;
}

QImage paintQsoPie(int sentShare, int receivedShare, const QColor& background) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(PieColour::All));
    painter.drawEllipse(QRect(0, 0, 99, 99));
    painter.setPen(Qt::NoPen);
    const std::pair<PieSector, QColor> sectors[] = {{pieSector(sentShare, 45), QColor(PieColour::Sent)},
                                                    {pieSector(receivedShare, 40), QColor(PieColour::Received)}};
    for (const auto& [sector, colour] : sectors) {
        painter.setBrush(colour);
        if (sector.kind == PieSector::Full)
            painter.drawEllipse(sector.box);
        else if (sector.kind == PieSector::Sector)
            painter.drawPie(sector.box, sector.startAngle16, sector.spanAngle16);
    }
    return image;
}
