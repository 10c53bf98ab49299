#include "app/panel_texts.h"

#include "panel/html_panel.h"

namespace {

// The main window's font; the description and notice panels take it as their base font.
FontSpec mainWindowFont()
{
    FontSpec font("Crystal", 12);
    font.pixelHeight = 16;
    return font;
}

// The About box's font, the terms panel's base font.
FontSpec aboutBoxFont()
{
    FontSpec font("MS Sans Serif", 8);
    font.pixelHeight = 11;
    return font;
}

// Settings every panel of the program shares.
void setUpCommon(THtmlPanel &panel, const char *name, int width, int height)
{
    panel.setObjectName(name);
    panel.resize(width, height);
    panel.SetTextVAlign(tvaTop);
    panel.SetColorTo(clNone);
    panel.SetBorderColor(clBlack);
    panel.SetBorderWidth(0);
    panel.SetBorderShadow(false);
    panel.SetIndent(0);
    panel.SetTopIndent(0);
    panel.SetLineSpacing(0);
    panel.SetFontColor(clWindowText);
    panel.SetBuffered(true);
}

} // namespace

std::string descriptionPanelText()
{
    return "<P align=\"center\"><FONT face=\"Times New Roman\"    ><BR>This program will process "
           "a 7 generation pedigree or up to 127 individuals.  It uses the matrix method of "
           "computing INBREEDING coeifficients and  RELATIONSHIPS between ancestors and the "
           "pedigreed individual.  Relationships are corrected for inbreeding before   they are "
           "presented.</FONT></P>";
}

std::string noticePanelText()
{
    return "<FONT size=\"8\"><FONT face=\"Courier New\"><P align=\"center\"><B><BR>"
           "Copyright &copy; 2026</B><BR>"
           "ZAN<BR>"
           "Read the terms under ABOUT ZAN</P></FONT></FONT>";
}

std::string termsPanelText()
{
    return "<FONT  size=\"11\" face=\"Times New Roman\">"
           "ZAN is free. You may use it, copy it and give it to other breeders without paying "
           "anything and without asking anyone."
           "<BR><BR>"
           "ZAN comes with no warranty of any kind: it is given as it is. Nobody promises that it "
           "is free of mistakes, that it suits your birds or your breeding plans, or that its "
           "figures are right for every pedigree."
           "<BR><BR>"
           "You use ZAN at your own risk. Check the pedigree you type in, and think about the "
           "results before you act on them. Whoever made ZAN or passed it on to you cannot be "
           "held responsible for any loss or damage that comes from using it."
           "<BR><BR>"
           "ZAN works only with the pedigree you enter. A bird that is missing, or entered with "
           "the wrong sire or dam, gives figures that look right but are not."
           "<BR><BR>"
           "Keep copies of your pedigree files in a safe place."
           "<BR><BR>"
           "If you do not agree with these terms, do not use ZAN."
           "</FONT>";
}

std::string aboutNoticeText()
{
    return "Copyright \xA9 2026 ZAN";
}

void setUpDescriptionPanel(THtmlPanel &panel)
{
    setUpCommon(panel, "Description", 225, 217);
    panel.SetColor(clBtnHighlight);
    panel.SetBevelOuter(bvRaised);
    panel.SetBevelInner(bvNone);
    panel.SetBevelWidth(1);
    panel.SetFont(mainWindowFont());
    panel.SetText(descriptionPanelText());
}

void setUpNoticePanel(THtmlPanel &panel)
{
    setUpCommon(panel, "HtmlPanel1", 225, 73);
    panel.SetColor(clBtnFace);
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetFont(mainWindowFont());
    panel.SetText(noticePanelText());
}

void setUpTermsPanel(THtmlPanel &panel)
{
    setUpCommon(panel, "HtmlPanel1", 657, 329);
    panel.SetColor(clBtnHighlight);
    panel.SetBevelOuter(bvRaised);
    panel.SetBevelInner(bvNone);
    panel.SetBevelWidth(1);
    panel.SetFont(aboutBoxFont());
    panel.SetText(termsPanelText());
}
