#include "fonts.h"

#include "font_cache_p.h"
#include "mul_div.h"
#include "text_codec.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

// "Crystal" is the report face: fixed pitch with box lines. At its nominal size a 118-column
// report line does not fit the 182 mm text block and 80 lines do not fit 238 mm, so it is drawn
// at 80 % of the nominal pixel size: at 9 points on a 600-dpi printer a character is 1.53 mm
// wide and a line 2.96 mm high.
FaceMapping mappingFor(const std::string &lowerFace)
{
    if (lowerFace == "crystal")
        return { "DejaVu Sans Mono", 80, true };
    if (lowerFace == "courier new" || lowerFace == "courier")
        return { "DejaVu Sans Mono", 100, true };
    // Times is a narrow face: texts laid out for it (the main window's description) need a
    // substitute about as wide, or they no longer fit their panels.
    if (lowerFace == "times new roman" || lowerFace == "times")
        return { "DejaVu Serif Condensed", 94, false };
    return { "DejaVu Sans", 100, false };
}

QFont buildQFont(const FontSpec &request, int pixelSize)
{
    const FaceMapping mapping = faceMapping(request.face);
    QFont font(QString::fromStdString(mapping.family));
    font.setPixelSize(pixelSize);
    font.setBold(request.style.has(FontStyle::Bold));
    font.setItalic(request.style.has(FontStyle::Italic));
    font.setUnderline(request.style.has(FontStyle::Underline));
    font.setStrikeOut(request.style.has(FontStyle::StrikeOut));
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setFixedPitch(mapping.fixedPitch);
    font.setStyleHint(mapping.fixedPitch ? QFont::TypeWriter : QFont::AnyStyle);
    // No ligatures: a text is drawn exactly as wide as the sum of its characters measures.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The character a byte is drawn as. Control bytes show as a box and the soft hyphen as a
// hyphen, so that every byte has a visible glyph with a width (Qt would give tabs and line
// ends their own spacing and the soft hyphen none).
char32_t displayCharacter(unsigned char byte, CharacterMap map)
{
    if (byte < 0x20 || byte == 0x7F)
        return U'\u25A1';
    if (byte == 0xAD)
        return U'-';
    return byteToUnicode(byte, map);
}

void fillAdvances(RealisedFont &realised)
{
    const QFontMetricsF metrics(realised.font);
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c = displayCharacter(static_cast<unsigned char>(byte), realised.map);
        const QString text = QString::fromUcs4(&c, 1);
        realised.advances[byte] = metrics.horizontalAdvance(text);
    }
}

// Applies a requested average width by stretching the glyphs.
void applyWidth(RealisedFont &realised, int width)
{
    const double natural = realised.advances['x'];
    if (width <= 0 || natural <= 0)
        return;
    const int stretch = std::clamp(int(std::lround(width * 100.0 / natural)), 1, 4000);
    realised.font.setStretch(stretch);
    fillAdvances(realised);
}

void fillMetrics(RealisedFont &realised)
{
    const QFontMetrics metrics(realised.font);
    TextMetrics &m = realised.metrics;
    m.ascent = metrics.ascent();
    m.descent = metrics.descent();
    m.height = m.ascent + m.descent;
    m.externalLeading = std::max(0, metrics.leading());
    m.averageCharWidth = std::max(1, int(std::lround(realised.advances['x'])));
    const double widest = *std::max_element(realised.advances.begin(), realised.advances.end());
    m.maxCharWidth = int(std::ceil(widest));
    m.underlinePosition = metrics.underlinePos();
    m.underlineSize = std::max(1, metrics.lineWidth());
}

std::shared_ptr<const RealisedFont> buildFont(
    const FontSpec &request, int fontResolution, CharacterMap map)
{
    auto realised = std::make_shared<RealisedFont>();
    realised->map = map;
    realised->font = buildQFont(request, fontPixelSize(request, fontResolution));
    fillAdvances(*realised);
    applyWidth(*realised, request.width);
    fillMetrics(*realised);
    return realised;
}

using FontKey = std::tuple<std::string, int, unsigned, int, int>;

} // namespace

double RealisedFont::exactWidth(std::string_view text) const
{
    double width = 0;
    for (char byte : text)
        width += advances[static_cast<unsigned char>(byte)];
    return width;
}

QString RealisedFont::toQString(std::string_view text) const
{
    QString result;
    result.reserve(qsizetype(text.size()));
    for (char byte : text) {
        const char32_t c = displayCharacter(static_cast<unsigned char>(byte), map);
        result.append(QChar(char16_t(c)));
    }
    return result;
}

std::shared_ptr<const RealisedFont> realiseFont(
    const FontSpec &font, int fontResolution, CharacterMap map)
{
    static std::mutex mutex;
    static std::map<FontKey, std::shared_ptr<const RealisedFont>> cache;
    const FaceMapping mapping = faceMapping(font.face);
    const int pixelSize = fontPixelSize(font, fontResolution);
    const FontKey key { mapping.family + (map == CharacterMap::Document ? "\x01" : ""), pixelSize,
        font.style.bits(), font.width, mapping.sizePercent };
    std::lock_guard lock(mutex);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    auto realised = buildFont(font, fontResolution, map);
    cache.emplace(key, realised);
    return realised;
}

FaceMapping faceMapping(std::string_view face)
{
    return mappingFor(lowerAscii(face));
}

int fontPixelSize(const FontSpec &font, int fontResolution)
{
    const int nominal
        = font.pixelHeight > 0 ? font.pixelHeight : MulDiv(font.points, fontResolution, 72);
    const int percent = faceMapping(font.face).sizePercent;
    return std::max(1, MulDiv(nominal, percent, 100));
}

std::string resolvedFamily(std::string_view face)
{
    FontSpec request;
    request.face = std::string(face);
    return QFontInfo(buildQFont(request, 16)).family().toStdString();
}

bool faceHasCharacter(std::string_view face, char32_t character)
{
    FontSpec request;
    request.face = std::string(face);
    return QRawFont::fromFont(buildQFont(request, 16)).supportsCharacter(character);
}
