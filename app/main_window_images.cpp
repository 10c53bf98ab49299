#include "main_window_images.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>

namespace {

// Our own pictures, as XPM: one character per pixel, '.' transparent.
const char *const saveAsImage[] = { "16 16 6 1", ". c None", "b c #2050B0", "g c #808080",
    "k c #000000", "w c #FFFFFF", "y c #E0C020", "kkkkkkkkkkkkk...", "kbbwwwwwwwwbk...",
    "kbbwwwwwwwwbk...", "kbbwwwwwwwwbk...", "kbbwwwwwwwwbk...", "kbbbbbbbbbbbk...",
    "kbbbbbbbbbbbk...", "kbbggggggggbk...", "kbbggkkgggg.....", "kbbggkkggg.y....",
    "kbbggkkgg.yyy...", "kkkkkkkkk.yyyy..", "...........yyyy.", "............yyk.",
    ".............kk.", "................" };

const char *const exitImage[]
    = { "16 16 5 1", ". c None", "k c #000000", "n c #8B5A2B", "r c #C02020", "y c #E0C020",
          "................", "..kkkkkkkkk.....", "..knnnnnnnk.....", "..knnnnnnnk.....",
          "..knnnnnnnk..r..", "..knnnnnnnk..rr.", "..knnnnnnnkrrrrr", "..knnnnyynkrrrrr",
          "..knnnnnnnk..rr.", "..knnnnnnnk..r..", "..knnnnnnnk.....", "..knnnnnnnk.....",
          "..knnnnnnnk.....", "..kkkkkkkkk.....", "................", "................" };

const char *const undoImage[] = { "16 16 2 1", ". c None", "b c #2050B0", "................",
    "................", "....b...........", "...bb...........", "..bbbbbbbbb.....",
    ".bbbbbbbbbbbb...", "..bbbbbbbbbbbb..", "...bb......bbb..", "....b.......bbb.",
    ".............bb.", ".............bb.", "............bbb.", "...........bbb..",
    "........bbbbb...", "........bbb.....", "................" };

const char *const cutImage[] = { "16 16 4 1", ". c None", "g c #808080", "k c #000000",
    "r c #C02020", "...g.......g....", "...g.......g....", "...gg.....gg....", "....g.....g.....",
    "....gg...gg.....", ".....g...g......", ".....gg.gg......", "......gkg.......",
    ".......k........", "......r.r.......", "..rrrr...rrrr...", ".r...r...r...r..",
    ".r...r...r...r..", ".r...r...r...r..", "..rrr.....rrr...", "................" };

const char *const copyImage[] = { "16 16 4 1", ". c None", "g c #808080", "k c #000000",
    "w c #FFFFFF", "kkkkkkkkk.......", "kwwwwwwwk.......", "kwgggggwk.......", "kwwwwwwwk.......",
    "kwgggggwk.......", "kwwwwwkkkkkkkkk.", "kwgggkwwwwwwwwk.", "kwwwwkwgggggwwk.",
    "kwgggkwwwwwwwwk.", "kwwwwkwgggggwwk.", "kkkkkkwwwwwwwwk.", ".....kwgggggwwk.",
    ".....kwwwwwwwwk.", ".....kwgggggwwk.", ".....kwwwwwwwwk.", ".....kkkkkkkkkk." };

const char *const pasteImage[]
    = { "16 16 5 1", ". c None", "d c #404040", "g c #808080", "n c #8B5A2B", "w c #FFFFFF",
          ".....dddddd.....", "..nnnd....dnnn..", ".nnnnddddddnnnn.", ".nnwwwwwwwwwwnn.",
          ".nnwggggggggwnn.", ".nnwwwwwwwwwwnn.", ".nnwggggggggwnn.", ".nnwwwwwwwwwwnn.",
          ".nnwggggggggwnn.", ".nnwwwwwwwwwwnn.", ".nnwggggggwwwnn.", ".nnwwwwwwwwwwnn.",
          ".nnwwwwwwwwwwnn.", ".nnnnnnnnnnnnnn.", "..nnnnnnnnnnnn..", "................" };

const char *const analyzeImage[]
    = { "16 16 5 1", ". c None", "b c #2050B0", "g c #808080", "k c #000000", "r c #C02020",
          "................", "..........rr....", "..........rr....", "..........rr....",
          "......bb..rr....", "......bb..rr....", "......bb..rr....", "..gg..bb..rr....",
          "..gg..bb..rr....", "..gg..bb..rr....", "..gg..bb..rr....", "..gg..bb..rr....",
          "..gg..bb..rr....", ".kkkkkkkkkkkkkk.", "................", "................" };

const char *const findImage[]
    = { "16 16 5 1", ". c None", "c c #C8E0F8", "k c #000000", "n c #8B5A2B", "w c #FFFFFF",
          "................", ".....kkk........", "...kkkkkkk......", "..kkwwccckk.....",
          "..kwcccccck.....", ".kkccccccckk....", ".kkccccccckk....", ".kkccccccckk....",
          "..kccccccck.....", "..kkccccckk.....", "...kkkkkkknn....", ".....kkk..nnn...",
          "...........nnn..", "............nnn.", ".............n..", "................" };
const char *const contentsImage[] = { "16 16 3 1", ". c None", "b c #2050B0", "w c #FFFFFF",
    "................", ".....bbbbbb.....", "...bbbbbbbbbb...", "..bbbbbbbbbbbb..",
    "..bbbbwwwwbbbb..", ".bbbbwwbbwwbbbb.", ".bbbbbbbbwwbbbb.", ".bbbbbbbwwbbbbb.",
    ".bbbbbbwwbbbbbb.", ".bbbbbbwwbbbbbb.", ".bbbbbbbbbbbbbb.", "..bbbbbwwbbbbb..",
    "..bbbbbwwbbbbb..", "...bbbbbbbbbb...", ".....bbbbbb.....", "................" };

QIcon standardIcon(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

} // namespace

QIcon mainWindowImage(int index)
{
    switch (index) {
    case 0:
        return standardIcon(QStyle::SP_FileIcon);
    case 1:
        return standardIcon(QStyle::SP_DialogOpenButton);
    case 2:
        return standardIcon(QStyle::SP_DialogSaveButton);
    case 3:
        return QIcon(QPixmap(saveAsImage));
    case 6:
        return QIcon(QPixmap(exitImage));
    case 7:
        return QIcon(QPixmap(undoImage));
    case 8:
        return QIcon(QPixmap(cutImage));
    case 9:
        return QIcon(QPixmap(copyImage));
    case 10:
        return QIcon(QPixmap(pasteImage));
    case 11:
        return QIcon(QPixmap(findImage));
    case 12:
        return QIcon(QPixmap(analyzeImage));
    case 13:
        return QIcon(QPixmap(contentsImage));
    default:
        return {};
    }
}
