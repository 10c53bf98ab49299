#pragma once

#include <string>

class TCustomDocView;

// The report document as plain UTF-8 text: one line per document item, the box bytes as
// box-drawing characters, and a form feed at the start of each line that begins a new page. The
// lines kept free for the depth chart are left out: the chart is only drawn.
std::string reportPlainText(const TCustomDocView &document);
