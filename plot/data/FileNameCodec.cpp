#include "FileNameCodec.h"

namespace {

const int kUtf8Mib = 106;
// Qt gives character sets without an IANA number negative ones: UTF-8's, with the escapes.
const int kMib = -kUtf8Mib;
const ushort kEscapeBase = 0xDC00;

// The bytes a well-formed sequence that starts with `lead` takes; 0 when none starts with it.
int sequenceLength(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// After some leads the second byte's range is narrower: that keeps out overlong forms,
// surrogates and code points past U+10FFFF, each of which would encode back otherwise.
bool fits(uchar lead, uchar second)
{
    const uchar low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const uchar high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    return second >= low && second <= high;
}

// The length of the well-formed sequence at `at`: 0 when the byte there starts none, -1 when
// the bytes end inside a sequence that is well formed so far.
int wellFormed(const uchar* bytes, int size, int at)
{
    const int length = sequenceLength(bytes[at]);
    for (int i = 1; i < length; ++i) {
        if (at + i == size)
            return -1;
        const uchar byte = bytes[at + i];
        if (i == 1 ? !fits(bytes[at], byte) : (byte & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

uint codePoint(const uchar* bytes, int length)
{
    static const uchar leadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    uint point = bytes[0] & leadBits[length];
    for (int i = 1; i < length; ++i)
        point = (point << 6) | (bytes[i] & 0x3F);
    return point;
}

void appendCodePoint(QString& text, uint point)
{
    if (QChar::requiresSurrogates(point)) {
        text += QChar(QChar::highSurrogate(point));
        text += QChar(QChar::lowSurrogate(point));
    } else {
        text += QChar(ushort(point));
    }
}

void appendUtf8(QByteArray& bytes, uint point)
{
    if (point < 0x80) {
        bytes += char(point);
        return;
    }
    if (point < 0x800) {
        bytes += char(0xC0 | (point >> 6));
    } else if (point < 0x10000) {
        bytes += char(0xE0 | (point >> 12));
        bytes += char(0x80 | ((point >> 6) & 0x3F));
    } else {
        bytes += char(0xF0 | (point >> 18));
        bytes += char(0x80 | ((point >> 12) & 0x3F));
        bytes += char(0x80 | ((point >> 6) & 0x3F));
    }
    bytes += char(0x80 | (point & 0x3F));
}

bool isEscapedByte(ushort unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

// A surrogate without its partner stands for no character: '?' as Qt's UTF-8 codec writes.
void appendInvalid(QByteArray& bytes, QTextCodec::ConverterState* state)
{
    bytes += '?';
    if (state)
        ++state->invalidChars;
}

} // namespace

void FileNameCodec::install()
{
    if (QTextCodec::codecForLocale()->mibEnum() != kUtf8Mib)
        return;
    // Qt keeps every codec made and deletes it at exit.
    static FileNameCodec* const codec = new FileNameCodec;
    QTextCodec::setCodecForLocale(codec);
}

QByteArray FileNameCodec::name() const
{
    return QByteArrayLiteral("UTF-8 with escaped bytes");
}

int FileNameCodec::mibEnum() const
{
    return kMib;
}

// A sequence that a chunk's end cuts waits in `state` for the next chunk, as in Qt's codecs.
// A byte-order mark is a character like any other: in a name it is part of the name.
QString FileNameCodec::convertToUnicode(const char* in, int length, ConverterState* state) const
{
    QByteArray joined = QByteArray::fromRawData(in, length);
    if (state && state->remainingChars > 0) {
        QByteArray pending;
        for (int i = 0; i < state->remainingChars; ++i)
            pending += char(state->state_data[i]);
        joined.prepend(pending);
        state->remainingChars = 0;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(joined.constData());
    const int size = joined.size();
    QString text;
    text.reserve(size);
    for (int at = 0; at < size;) {
        const int sequence = wellFormed(bytes, size, at);
        if (sequence < 0 && state) {
            while (at < size)
                state->state_data[state->remainingChars++] = bytes[at++];
        } else if (sequence <= 0) {
            text += QChar(ushort(kEscapeBase + bytes[at++]));
        } else {
            appendCodePoint(text, codePoint(bytes + at, sequence));
            at += sequence;
        }
    }
    return text;
}

// A high surrogate at a chunk's end waits in `state` for its partner.
QByteArray FileNameCodec::convertFromUnicode(const QChar* in, int length, ConverterState* state) const
{
    QByteArray bytes;
    bytes.reserve(length * 3);
    ushort high = 0;
    if (state && state->remainingChars > 0) {
        high = ushort(state->state_data[0]);
        state->remainingChars = 0;
    }
    for (int i = 0; i < length; ++i) {
        const ushort unit = in[i].unicode();
        if (high && QChar::isLowSurrogate(unit)) {
            appendUtf8(bytes, QChar::surrogateToUcs4(high, unit));
            high = 0;
            continue;
        }
        if (high)
            appendInvalid(bytes, state);
        high = QChar::isHighSurrogate(unit) ? unit : 0;
        if (high)
            continue;
        if (isEscapedByte(unit))
            bytes += char(unit - kEscapeBase);
        else if (QChar::isLowSurrogate(unit))
            appendInvalid(bytes, state);
        else
            appendUtf8(bytes, unit);
    }
    if (high && state) {
        state->state_data[0] = high;
        state->remainingChars = 1;
    } else if (high) {
        appendInvalid(bytes, state);
    }
    return bytes;
}
