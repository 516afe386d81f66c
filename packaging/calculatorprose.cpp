// Prints what the manual page, the AppStream listing and the desktop entry
// say of each calculator, from the calculators' entries, for the build to
// put into their templates (fillprose.cmake):
//   stelvana_prose FRAGMENT
// Standard C++ only, so that it runs on the machine that builds.
#include "calculators.h"
#include "fieldfacts.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Parts = std::vector<std::string>;

// "a", "a and b", "a, b and c"; in Chinese "a与b", "a、b与c".
std::string listed(const Parts& parts, std::string_view comma, std::string_view last)
{
    std::string text;
    for (std::size_t n = 0; n < parts.size(); ++n) {
        if (n > 0)
            text += n + 1 == parts.size() ? last : comma;
        text += parts[n];
    }
    return text;
}

Parts each(const std::function<std::string(const CalculatorEntry&)>& part)
{
    Parts parts;
    for (const CalculatorEntry& entry : calculators())
        parts.push_back(part(entry));
    return parts;
}

// troff takes a minus sign where a hyphen should not break; a line that
// begins with a dot or a quote would be a request.
std::string roff(std::string_view text)
{
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        out += "\\&";
    for (const char c : text) {
        if (c == '-')
            out += "\\-";
        else if (c == '\\')
            out += "\\e";
        else
            out += c;
    }
    return out;
}

std::string xml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// A desktop entry's string: a backslash starts an escape.
std::string desktop(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

std::string englishSummary()
{
    std::string text = listed(
        each([](const CalculatorEntry& e) { return std::string(e.gloss); }), ", ", " and ");
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z')
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}

std::string chineseSummary()
{
    return listed(
        each([](const CalculatorEntry& e) { return std::string(e.menuCaption); }), "、", "与");
}

// The first inputs of a saved design, as a table's first row names them.
std::string firstInputIds(const CalculatorEntry& entry)
{
    Parts ids;
    for (const FieldFacts& facts : entry.fields()) {
        if (facts.isStored() && ids.size() < 3)
            ids.emplace_back(facts.id);
    }
    return listed(ids, ", ", ", ");
}

std::string joined(const Parts& parts)
{
    return listed(parts, "", "");
}

const std::map<std::string_view, std::function<std::string()>> fragments {
    // The manual page: each caption in a string shown where the terminal
    // has Chinese, and empty where it has not; the gloss always follows.
    { "man-terms",
        [] {
            return joined(each([](const CalculatorEntry& e) {
                return ".  ds zh-" + std::string(e.id) + " " + std::string(e.menuCaption) + "\\~\n";
            }));
        } },
    { "man-plain-terms",
        [] {
            return joined(each(
                [](const CalculatorEntry& e) { return ".  ds zh-" + std::string(e.id) + "\n"; }));
        } },
    { "man-name", [] { return roff(englishSummary()); } },
    { "man-list",
        [] {
            return joined(each([](const CalculatorEntry& e) {
                return ".TP\n.BR \\*[zh-" + std::string(e.id) + "] \"(" + roff(e.gloss) + ")\"\n"
                    + roff(e.summaryEn) + "\n";
            }));
        } },
    { "man-ids",
        [] {
            return ".RB ( "
                + listed(each([](const CalculatorEntry& e) { return std::string(e.id); }),
                    " \", \" ", " \" or \" ")
                + " ).";
        } },
    { "man-input-ids",
        [] {
            return "("
                + listed(each([](const CalculatorEntry& e) {
                      return "\\fB" + roff(firstInputIds(e)) + "\\fR ... for " + roff(e.gloss);
                  }),
                    ", ", ", ")
                + ");";
        } },
    { "man-optimize-synopsis",
        [] {
            return joined(each([](const CalculatorEntry& e) {
                return e.optimizes ? ".br\n.B stelvana optimize " + std::string(e.id)
                        + "\n.RI [ id = value \" ...]\"\n"
                                   : std::string();
            }));
        } },
    { "man-optimize",
        [] {
            return joined(each([](const CalculatorEntry& e) {
                if (!e.optimizes)
                    return std::string();
                return ".TP\n.BI \"optimize " + std::string(e.id)
                    + " \" \"\" \"[\" id = value \" ...]\"\n"
                      "The ten lightest designs of the "
                    + roff(e.gloss)
                    + " that pass every check, for the inputs given (or those the window opens\n"
                      "with), as the search of its window finds them.\n"
                      "A size the search tries takes a range\n.IB from : to : step\n"
                      "or a list, as\n.B id=150:400:10\nor\n.BR id=6,8,10 ;\n"
                      "a size not given runs over the search's own range.\n";
            }));
        } },
    // The AppStream listing and the desktop entry.
    { "summary-en", [] { return xml(englishSummary()); } },
    { "summary-zh", [] { return xml(chineseSummary()); } },
    { "desktop-comment-en", [] { return desktop(englishSummary()); } },
    { "desktop-comment-zh", [] { return desktop(chineseSummary()); } },
    { "metainfo-list",
        [] {
            return joined(each([](const CalculatorEntry& e) {
                return "      <li>" + xml(e.summaryEn) + "</li>\n      <li xml:lang=\"zh_CN\">"
                    + xml(e.menuCaption) + "：" + xml(e.summaryZh) + "</li>\n";
            }));
        } },
    { "metainfo-keywords",
        [] {
            std::string text;
            for (const CalculatorEntry& e : calculators()) {
                for (std::string_view word : e.keywordsEn)
                    text += "    <keyword>" + xml(word) + "</keyword>\n";
            }
            for (const CalculatorEntry& e : calculators()) {
                for (std::string_view word : e.keywordsZh)
                    text += "    <keyword xml:lang=\"zh_CN\">" + xml(word) + "</keyword>\n";
            }
            return text;
        } },
    { "desktop-keywords-en",
        [] {
            std::string text;
            for (const CalculatorEntry& e : calculators()) {
                for (std::string_view word : e.keywordsEn)
                    text += std::string(word) + ";";
            }
            return text;
        } },
    { "desktop-keywords-zh",
        [] {
            std::string text;
            for (const CalculatorEntry& e : calculators()) {
                for (std::string_view word : e.keywordsZh)
                    text += std::string(word) + ";";
            }
            return text;
        } },
};

} // namespace

int main(int argc, char* argv[])
{
    const auto found = argc == 2 ? fragments.find(argv[1]) : fragments.end();
    if (found == fragments.end()) {
        std::fprintf(stderr, "usage: stelvana_prose FRAGMENT, one of:");
        for (const auto& [name, make] : fragments)
            std::fprintf(stderr, " %.*s", static_cast<int>(name.size()), name.data());
        std::fprintf(stderr, "\n");
        return 2;
    }
    const std::string text = found->second();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
