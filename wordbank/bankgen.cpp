// bankgen: turns the table of the banks (wordbank/banks.tsv) and the word lists it names
// (UTF-8, one word a line, three tab-separated fields) into the banks compiled into the
// program:
//
//   bankgen TABLE.tsv BANKDATA.cpp WORDLEVEL.h DEPFILE
//
// BANKDATA.cpp holds the words as UTF-16 constants and the table's rows; WORDLEVEL.h the enum
// of the levels, one for each row in the table's order, and the start window's line of the
// banks' sizes; DEPFILE the files read, for the build to run bankgen again when one changes.
// An output whose contents stay the same is left untouched, so that nothing recompiles.
//
// The build stops with a message naming the file and line when a row or a line does not
// have its fields, a required field is empty, a number is not one, a text has no GBK form
// (code page 936: every word must be one a GBK system can show and search), or a list does
// not hold exactly the number of words its row of the table gives.

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One row of the table, with the texts of its list.
struct Bank {
    std::string name;       // the WordLevel enumerator
    std::string list;       // the word list, relative to the table's folder
    long count = 0;
    bool readingFirst = false; // the second text (the written form) may be empty
    std::string levelButton;
    std::string menuEntry;
    long sizesPlace = 0;        // its place on the start window's line, from 1
    long blanksBefore = 0;      // between it and the group before it on that line
    std::string sizesText;
    std::string where;          // its row: "banks.tsv:3"
    std::vector<std::string> words; // each word's three texts back to back, UTF-8
    std::vector<size_t> bounds;     // where each text begins in UTF-16 units, and the end
    size_t longest = 0;         // UTF-16 units of the longest text
};

[[noreturn]] void fail(const std::string &where, const std::string &what)
{
    std::cerr << where << ": error: " << what << '\n';
    std::exit(1);
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
size_t utf8Length(unsigned char c)
{
    if (c >= 0xF0) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}

std::string describeChar(const std::string &s, size_t at)
{
    const size_t n = std::min(utf8Length(static_cast<unsigned char>(s[at])), s.size() - at);
    const std::string ch = s.substr(at, n);
    unsigned long cp = static_cast<unsigned char>(ch[0]);
    if (n > 1) {
        cp &= 0x7F >> n;
        for (size_t i = 1; i < n; ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(ch[i]) & 0x3F);
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04lX", cp);
    return "'" + ch + "' (" + code + ")";
}

// Stops the build, naming the character, when a text has no GBK form.
void checkGbk(const std::string &utf8, const std::string &where, const char *field)
{
    static iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        fail("bankgen", "this system's iconv has no GBK converter");
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() * 2 + 4, '\0');
    char *in = const_cast<char *>(utf8.data());
    size_t inLeft = utf8.size();
    char *dst = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
        const size_t at = utf8.size() - inLeft;
        if (errno == EILSEQ || errno == EINVAL)
            fail(where, std::string(field) + " has a character that GBK cannot encode: "
                            + describeChar(utf8, at) + " in \"" + utf8 + "\"");
        fail(where, "conversion to GBK failed");
    }
}

// Stops the build when a text holds a control character, such as the carriage return of a
// list saved with Windows line ends: no window could show it.
void checkNoControl(const std::string &utf8, const std::string &where, const std::string &field)
{
    for (size_t at = 0; at < utf8.size(); ++at) {
        const auto c = static_cast<unsigned char>(utf8[at]);
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", c);
            fail(where, field + " has a control character: " + code);
        }
    }
}

// The length of a UTF-8 text in UTF-16 units.
size_t utf16Length(const std::string &utf8)
{
    size_t units = 0;
    for (size_t i = 0; i < utf8.size(); i += utf8Length(static_cast<unsigned char>(utf8[i])))
        units += utf8Length(static_cast<unsigned char>(utf8[i])) == 4 ? 2 : 1;
    return units;
}

// A C++ UTF-16 string literal of a UTF-8 text without control characters, which the compiler
// converts.
std::string literal(const std::string &utf8)
{
    std::string s = "u\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\')
            s += '\\';
        s += c;
    }
    return s + "\"";
}

// A field that holds a whole number, written in decimal digits alone ("12x", "+1" or " 1" are
// not numbers of the table); -1 for anything else.
long parseNumber(const std::string &field)
{
    if (field.empty() || field.size() > 9 || field.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stol(field);
}

// A name the generated code can use as an enumerator: letters, digits and '_', no digit first.
bool isIdentifier(const std::string &name)
{
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    return !name.empty() && isLetter(name[0])
        && std::all_of(name.begin(), name.end(), [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); });
}

std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// The table: a header line, then one bank a line (see Columns).
constexpr const char *Columns = "level, list, words, first text, level button, menu entry, start window place, "
                                "blanks before, start window text";

std::vector<Bank> readTable(const std::string &table)
{
    std::ifstream in(table, std::ios::binary);
    if (!in)
        fail(table, "cannot open the table of the banks");
    std::vector<Bank> banks;
    std::string line;
    long lineNo = 0;
    while (std::getline(in, line)) {
        if (++lineNo == 1 || line.empty())
            continue;
        const std::string where = table + ":" + std::to_string(lineNo);
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() != 9)
            fail(where, std::string("expected 9 tab-separated fields (") + Columns + ")");
        Bank bank;
        bank.where = where;
        bank.name = f[0];
        if (!isIdentifier(bank.name))
            fail(where, "the level is not a name of letters, digits and '_' that begins with a letter: \""
                            + bank.name + "\"");
        for (const Bank &other : banks)
            if (other.name == bank.name)
                fail(where, "the level " + bank.name + " has a row already, at " + other.where);
        bank.list = f[1];
        bank.count = parseNumber(f[2]);
        if (bank.count < 1)
            fail(where, "the number of words is not a number of at least 1: \"" + f[2] + "\"");
        if (f[3] != "written" && f[3] != "reading")
            fail(where, "the first text is \"written\" or \"reading\", not \"" + f[3] + "\"");
        bank.readingFirst = f[3] == "reading";
        bank.levelButton = f[4];
        bank.menuEntry = f[5];
        bank.sizesPlace = parseNumber(f[6]);
        if (bank.sizesPlace < 1)
            fail(where, "the start window place is not a number of at least 1: \"" + f[6] + "\"");
        bank.blanksBefore = parseNumber(f[7]);
        if (bank.blanksBefore < 0)
            fail(where, "the blanks before are not a number: \"" + f[7] + "\"");
        bank.sizesText = f[8];
        checkNoControl(bank.levelButton, where, "the level button");
        checkNoControl(bank.menuEntry, where, "the menu entry");
        checkNoControl(bank.sizesText, where, "the start window text");
        for (const Bank &other : banks)
            if (other.sizesPlace == bank.sizesPlace)
                fail(where, "the start window place " + f[6] + " is taken already, at " + other.where);
        banks.push_back(bank);
    }
    if (banks.empty())
        fail(table, "the table has no banks");
    for (const Bank &bank : banks)
        if (bank.sizesPlace > long(banks.size()))
            fail(bank.where, "the start window place " + std::to_string(bank.sizesPlace) + " is beyond the "
                                 + std::to_string(banks.size()) + " banks");
    return banks;
}

void readBank(Bank &bank, const std::string &folder)
{
    const std::string file = folder + bank.list;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fail(file, "cannot open the word list");
    std::string line;
    long lineNo = 0;
    size_t units = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = file + ":" + std::to_string(lineNo);
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() != 3)
            fail(where, "expected 3 tab-separated fields (first text, second text, meaning), found "
                            + std::to_string(fields.size()));
        if (fields[0].empty())
            fail(where, "the first text is empty");
        if (fields[1].empty() && !bank.readingFirst)
            fail(where, "the second text is empty");
        if (fields[2].empty())
            fail(where, "the meaning is empty");
        static const char *names[] = {"the first text", "the second text", "the meaning"};
        bank.words.emplace_back();
        for (int i = 0; i < 3; ++i) {
            checkNoControl(fields[i], where, names[i]);
            checkGbk(fields[i], where, names[i]);
            bank.bounds.push_back(units);
            bank.words.back() += fields[i];
            const size_t length = utf16Length(fields[i]);
            units += length;
            bank.longest = std::max(bank.longest, length);
        }
    }
    bank.bounds.push_back(units);
    const long words = static_cast<long>(bank.bounds.size() / 3);
    if (words != bank.count)
        fail(file, "holds " + std::to_string(words) + " words; the bank must have exactly "
                       + std::to_string(bank.count));
}

// The start window's line: the groups in the order of their places, each after its blanks.
std::string sizesLine(const std::vector<Bank> &banks)
{
    std::vector<const Bank *> byPlace(banks.size());
    for (const Bank &bank : banks)
        byPlace[bank.sizesPlace - 1] = &bank;
    std::string line;
    for (const Bank *bank : byPlace)
        line += std::string(bank->blanksBefore, ' ') + bank->sizesText;
    return line;
}

std::string bankData(const std::vector<Bank> &banks)
{
    std::ostringstream out;
    out << "// Generated by bankgen from wordbank/banks.tsv and the word lists. Do not edit.\n"
           "#include \"levelbanks.h\"\n\n#include <algorithm>\n#include <iterator>\n\nnamespace {\n";
    for (const Bank &bank : banks) {
        // One line of the text array per word: its three texts.
        out << "\nconstexpr char16_t k" << bank.name << "Text[] =\n";
        for (const std::string &word : bank.words)
            out << "    " << literal(word) << "\n";
        out << "    ;\n\nconstexpr uint32_t k" << bank.name << "Bounds[] = {";
        for (size_t i = 0; i < bank.bounds.size(); ++i)
            out << (i % 12 ? " " : "\n    ") << bank.bounds[i] << ",";
        // The compiler's UTF-16 is as long as bankgen counted: the bounds slice it right.
        out << "\n};\nstatic_assert(std::size(k" << bank.name << "Text) == " << bank.bounds.back() << " + 1);\n";
    }
    out << "\nconstexpr BankInfo kBanks[] = {\n";
    for (const Bank &bank : banks)
        out << "    {WordLevel::" << bank.name << ", \"" << bank.name << "\", \"" << bank.list << "\", "
            << (bank.readingFirst ? "true" : "false") << ", " << literal(bank.levelButton) << ", "
            << literal(bank.menuEntry) << ",\n     Bank(k" << bank.name << "Text, k" << bank.name << "Bounds, "
            << bank.count << ", " << bank.longest << ")},\n";
    out << "};\n\n"
           "// One row for each level, in the order of WordLevel, and no bank larger than the store.\n"
           "static_assert(std::size(kBanks) == std::size(AllLevels));\n"
           "static_assert(std::all_of(std::begin(kBanks), std::end(kBanks), [](const BankInfo &bank) {\n"
           "    return &bank - kBanks == int(bank.level) && bank.words.size() <= WordStore::Capacity;\n"
           "}));\n\n"
           "} // namespace\n\n"
           "const BankInfo &bankInfo(WordLevel level)\n{\n    return kBanks[int(level)];\n}\n";
    return out.str();
}

std::string wordLevelHeader(const std::vector<Bank> &banks)
{
    std::ostringstream out;
    out << "// Generated by bankgen from wordbank/banks.tsv: edit the table, not this file.\n"
           "#pragma once\n\n#include <string_view>\n\n"
           "// The built-in banks, one for each row of the table and in its order, which is the order\n"
           "// the strip menu lists them in.\n"
           "enum class WordLevel {\n";
    for (const Bank &bank : banks)
        out << "    " << bank.name << ",\n";
    out << "};\n\ninline constexpr WordLevel AllLevels[] = {\n";
    for (const Bank &bank : banks)
        out << "    WordLevel::" << bank.name << ",\n";
    out << "};\n\n"
           "// The start window's line of the banks' sizes.\n"
           "inline constexpr std::u16string_view BankSizesLine =\n    " << literal(sizesLine(banks)) << ";\n";
    return out.str();
}

// A path as a depfile (a Makefile rule) writes it: blanks, '#' and '$' escaped.
std::string depPath(const std::string &path)
{
    std::string s;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\')
            s += '\\';
        else if (c == '$')
            s += '$';
        s += c;
    }
    return s;
}

// Writes the file unless it holds these contents already.
void writeIfChanged(const std::string &path, const std::string &contents)
{
    {
        std::ifstream old(path, std::ios::binary);
        std::ostringstream held;
        held << old.rdbuf();
        if (old && held.str() == contents)
            return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    file.close();
    if (!file)
        fail(path, "cannot write it");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::cerr << "usage: bankgen TABLE.tsv BANKDATA.cpp WORDLEVEL.h DEPFILE\n";
        return 2;
    }
    const std::string table = argv[1];
    const size_t slash = table.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : table.substr(0, slash + 1);
    std::vector<Bank> banks = readTable(table);
    for (Bank &bank : banks)
        readBank(bank, folder);

    writeIfChanged(argv[2], bankData(banks));
    writeIfChanged(argv[3], wordLevelHeader(banks));
    std::ostringstream deps;
    deps << depPath(argv[2]) << ": " << depPath(table);
    for (const Bank &bank : banks)
        deps << ' ' << depPath(folder + bank.list);
    deps << '\n';
    writeIfChanged(argv[4], deps.str());
    return 0;
}
