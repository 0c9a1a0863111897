#include "cw/CwSampleStream.h"

#include "cw/ToneBuffer.h"

#include <cstring>

CwSampleStream::CwSampleStream(QVector<CwElement> elements, const QByteArray& dotImage, const QByteArray& dashImage)
    : m_elements(std::move(elements)), m_dot(ToneBuffer::samplesOf(dotImage)),
      m_dash(ToneBuffer::samplesOf(dashImage)) {
    for (const CwElement& e : m_elements)
        m_total += lengthOf(e);
    // Unbuffered: QIODevice would otherwise read far ahead, past a cut.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CwSampleStream::lengthOf(const CwElement& e) const {
    switch (e.kind) {
    case CwElement::Kind::Dot: return m_dot.size();
    case CwElement::Kind::Dash: return m_dash.size();
    case CwElement::Kind::Pause: break;
    }
    return ToneBuffer::sampleCount(e.ms);
}

qint64 CwSampleStream::bytesAvailable() const {
    return (m_cut ? 0 : m_total - m_read) + QIODevice::bytesAvailable();
}

bool CwSampleStream::atEnd() const { return (m_cut || m_read >= m_total) && QIODevice::bytesAvailable() == 0; }

qint64 CwSampleStream::readData(char* data, qint64 maxSize) {
    if (m_cut || m_read >= m_total)
        return -1; // the end: there never are more samples
    qint64 done = 0;
    while (done < maxSize && m_element < m_elements.size()) {
        const CwElement& e = m_elements[m_element];
        const qint64 length = lengthOf(e);
        const qint64 take = std::min(maxSize - done, length - m_offset);
        if (e.kind == CwElement::Kind::Pause) {
            std::memset(data + done, ToneBuffer::Silence, static_cast<size_t>(take));
        } else {
            const QByteArray& tone = e.kind == CwElement::Kind::Dot ? m_dot : m_dash;
            std::memcpy(data + done, tone.constData() + m_offset, static_cast<size_t>(take));
        }
        done += take;
        m_offset += take;
        if (m_offset >= length) {
            ++m_element;
            m_offset = 0;
        }
    }
    m_read += done;
    return done;
}
