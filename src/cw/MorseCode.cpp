#include "cw/MorseCode.h"

#include <QHash>

namespace MorseCode {

QString prepare(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("  "));
    for (QChar& c : t) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    t.replace(QStringLiteral("ä"), QStringLiteral("ae"));
    t.replace(QStringLiteral("ö"), QStringLiteral("oe"));
    t.replace(QStringLiteral("ü"), QStringLiteral("ue"));
    t.replace(u'%', QStringLiteral("0/0"));
    t.replace(QChar(0x2030), QStringLiteral("0/00"));
    return t;
}

QString codeOf(QChar c) {
    static const QHash<char16_t, QString> table = [] {
        const char* pairs[][2] = {
            {"a", ".-"},     {"b", "-..."},   {"c", "-.-."},   {"d", "-.."},    {"e", "."},      {"f", "..-."},
            {"g", "--."},    {"h", "...."},   {"i", ".."},     {"j", ".---"},   {"k", "-.-"},    {"l", ".-.."},
            {"m", "--"},     {"n", "-."},     {"o", "---"},    {"p", ".--."},   {"q", "--.-"},   {"r", ".-."},
            {"s", "..."},    {"t", "-"},      {"u", "..-"},    {"v", "...-"},   {"w", ".--"},    {"x", "-..-"},
            {"y", "-.--"},   {"z", "--.."},   {"0", "-----"},  {"1", ".----"},  {"2", "..---"},  {"3", "...--"},
            {"4", "....-"},  {"5", "....."},  {"6", "-...."},  {"7", "--..."},  {"8", "---.."},  {"9", "----."},
            {".", ".-.-.-"}, {",", "--..--"}, {":", "---..."}, {"?", "..--.."}, {"'", ".----."}, {"-", "-....-"},
            {"/", "-..-."},  {"(", "-.--."},  {")", "-.--.-"}, {"\"", ".-..-."}, {"=", "-...-"},  {"+", ".-.-."},
            {"*", "-..-"},   {"\x01", "........"}};
        QHash<char16_t, QString> t;
        for (const auto& [character, code] : pairs)
            t.insert(static_cast<char16_t>(character[0]), QString::fromLatin1(code));
        return t;
    }();
    return table.value(c.unicode());
}

} // namespace MorseCode
