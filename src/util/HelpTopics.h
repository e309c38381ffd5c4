// The file names of the German help pages in the "help" folder. Every
// "Hilfe" button and the help menu open one of these; "inhalt.html" links
// all of them.
#pragma once

#include <array>
#include <string_view>

namespace qv {

inline constexpr std::array<std::string_view, 17> HelpTopics = {
    "inhalt.html",           "bedienung.html",        "einfuehrung1.html",
    "unterricht.html",       "modellalgo.html",       "modellgrafisch.html",
    "rechenvorschrift.html", "modellsprachlich.html", "attribute.html",
    "achsen.html",           "kurvenparameter.html",  "formatschaubild.html",
    "formatspalte.html",     "grafik.html",           "drehen.html",
    "druckoptionen.html",    "drucken.html",
};

}  // namespace qv
