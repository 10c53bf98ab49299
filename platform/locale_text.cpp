#include "locale_text.h"

#include "text_codec.h"

#include <QLocale>
#include <QString>

namespace {

enum class CaseDirection {
    Upper,
    Lower,
};

// Maps each byte through the locale; a result that is not exactly one byte keeps the original.
std::string mapCase(std::string_view bytes, CaseDirection direction)
{
    const QLocale locale = QLocale::system();
    std::string out(bytes);
    for (char &byte : out) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            if (direction == CaseDirection::Upper && value >= 'a' && value <= 'z')
                byte = char(value - 'a' + 'A');
            else if (direction == CaseDirection::Lower && value >= 'A' && value <= 'Z')
                byte = char(value - 'A' + 'a');
            continue;
        }
        const char32_t character = byteToUnicode(value);
        const QString one = QString::fromUcs4(&character, 1);
        const QString mapped
            = direction == CaseDirection::Upper ? locale.toUpper(one) : locale.toLower(one);
        const QList<uint> code = mapped.toUcs4();
        if (code.size() != 1)
            continue;
        const int result = unicodeToByte(code.front());
        if (result >= 0)
            byte = char(result);
    }
    return out;
}

} // namespace

std::string upperCase(std::string_view bytes)
{
    return mapCase(bytes, CaseDirection::Upper);
}

std::string lowerCase(std::string_view bytes)
{
    return mapCase(bytes, CaseDirection::Lower);
}

std::string shortMonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    const QString name = QLocale::system().monthName(month, QLocale::ShortFormat);
    return utf8ToBytes(name.toStdString());
}
