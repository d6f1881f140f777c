#pragma once

#include <QTextCodec>

// File names are bytes. In a UTF-8 locale Qt decodes a byte that belongs to no UTF-8 sequence
// as U+FFFD, so QFile::decodeName and QFile::encodeName lose it: such a file cannot be opened,
// and an output is written under another name. As the locale's codec, this one decodes UTF-8
// strictly and keeps every other byte b as the lone surrogate U+DC00 + b, which it encodes as
// b again, so every name the file system allows is read and written as given. Text that is
// valid UTF-8 converts exactly as before.
class FileNameCodec : public QTextCodec
{
public:
    // Makes this the locale's codec when the locale's is UTF-8. Other locales' codecs map every
    // byte to a character of its own already and stay. Call after the application object
    // exists: it sets the locale from the environment.
    static void install();

    QByteArray name() const override;
    int mibEnum() const override;

protected:
    QString convertToUnicode(const char* in, int length, ConverterState* state) const override;
    QByteArray convertFromUnicode(const QChar* in, int length, ConverterState* state) const override;
};
