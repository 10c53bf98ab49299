#pragma once

// The fixed texts and design settings of the program's three HTML-text panels, kept in one place
// for the main window and the About box:
//
//   main window   Description   (6, 240) 225 x 217   what the program does
//                 HtmlPanel1    (6, 32)  225 x 73    the maker's notice
//   About box     HtmlPanel1    657 x 329            the terms of use
//
// The set-up functions give a panel its object name, size, colours, bevels, base font and text;
// placing it in its window is the window's business. Texts are 8-bit (Windows-1252).

#include <string>

class THtmlPanel;

// The main window's description of the program, word for word as the window has always shown
// it (its spelling and double spaces included).
std::string descriptionPanelText();
// The main window's notice: three centred lines, a year line in bold, the maker's name and where
// to find the terms of use.
std::string noticePanelText();
// The About box's terms of use.
std::string termsPanelText();
// One line for the About box's notice label.
std::string aboutNoticeText();

void setUpDescriptionPanel(THtmlPanel &panel);
void setUpNoticePanel(THtmlPanel &panel);
void setUpTermsPanel(THtmlPanel &panel);
