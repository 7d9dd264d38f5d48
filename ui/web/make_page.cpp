// Writes the page's markup from the control table when the page is built:
// make_page TEMPLATE OUTPUT. The template's @TITLE@, @FORM_STYLE@,
// @CONTROLS@ and @BELT_TYPES@ are replaced; everything else is kept.

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/files/markup.h"
#include "ui/controls.h"
#include "ui/texts.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace quillon::ui {
namespace {

// Where a control stands, in CSS pixels: 1/96 inch, 15 twips.
std::string placement(int left, int top, int width, int height)
{
    std::ostringstream style;
    style << "left:" << twipsToPixels(left) << "px;top:" << twipsToPixels(top) << "px;width:" << twipsToPixels(width)
          << "px;height:" << twipsToPixels(height) << "px";
    return style.str();
}

// One element for each control, in table order, which is the tab order.
std::string controlsMarkup()
{
    std::string markup;
    for (const ControlSpec& row : kControls) {
        const std::string id = markupEscaped(row.name);
        const std::string style = placement(row.left, row.top, row.width, row.height);
        const std::string name = markupEscaped(row.accessibleName);
        switch (row.kind) {
        case ControlKind::Label:
            markup += "<div id=\"" + id + "\" class=\"label\" style=\"" + style + "\">" + markupEscaped(row.text)
                + "</div>\n";
            break;
        case ControlKind::ComboBox:
            // The list stands behind the field, its arrow showing at the
            // right; what is typed stays exactly as typed.
            markup += "<div id=\"" + id + "\" class=\"combo\" style=\"" + style + "\">"
                + "<select tabindex=\"-1\" aria-hidden=\"true\">@BELT_TYPES@</select>"
                + "<input role=\"combobox\" aria-expanded=\"false\" aria-label=\"" + name + "\" value=\""
                + markupEscaped(row.text) + "\" spellcheck=\"false\" autocomplete=\"off\" autofocus></div>\n";
            break;
        case ControlKind::TextBox:
            markup += "<input id=\"" + id + "\" style=\"" + style + "\" aria-label=\"" + name + "\" value=\""
                + markupEscaped(row.text) + "\" spellcheck=\"false\" autocomplete=\"off\">\n";
            break;
        case ControlKind::PushButton:
            markup += "<button id=\"" + id + "\" type=\"button\" style=\"" + style + "\">" + markupEscaped(row.text)
                + "</button>\n";
            break;
        }
    }
    return markup;
}

std::string beltTypeOptions()
{
    std::string options;
    for (std::string_view beltType : kBeltTypes)
        options += "<option>" + markupEscaped(beltType) + "</option>";
    return options;
}

void replace(std::string& text, std::string_view placeholder, std::string_view by)
{
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + by.size()))
        text.replace(at, placeholder.size(), by);
}

} // namespace
} // namespace quillon::ui

int main(int argc, char** argv)
{
    using namespace quillon;
    using namespace quillon::ui;
    if (argc != 3) {
        std::cerr << "usage: make_page TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream page;
    page << in.rdbuf();
    std::string text = page.str();
    if (!in || text.empty()) {
        std::cerr << "make_page: cannot read " << argv[1] << '\n';
        return 1;
    }
    replace(text, "@TITLE@", markupEscaped(kWindowTitle));
    replace(text, "@FORM_STYLE@", placement(0, 0, kClientWidthTwips, kClientHeightTwips));
    replace(text, "@CONTROLS@", controlsMarkup());
    replace(text, "@BELT_TYPES@", beltTypeOptions());
    std::ofstream out(argv[2], std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "make_page: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
