// bankgen: turns the table of the banks (wordbank/banks.tsv) and the word lists it names
// (UTF-8, one word a line, three tab-separated fields) into the banks compiled into the
// program: UTF-16 constants and the table itself.
//
//   bankgen OUTPUT.cpp TABLE.tsv
//
// The build stops with a message naming the file and line when a line does not have exactly
// three fields, a required field is empty, a text has no GBK form (code page 936: every word
// must be one a GBK system can show and search), or a list does not hold exactly the number
// of words its row of the table gives.

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

// A field that holds a whole number of at least 1, written in decimal digits alone ("12x",
// "+1" or " 1" are not numbers of the table); 0 for anything else.
long parseCount(const std::string &field)
{
    if (field.empty() || field.size() > 9 || field.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stol(field);
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

// The table: a header line, then one bank a line: level, list, words, first text ("written"
// or "reading"), the main window's caption, the strip menu's caption.
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
        if (f.size() != 6)
            fail(where, "expected 6 tab-separated fields (level, list, words, first text, level button, menu entry)");
        if (f[3] != "written" && f[3] != "reading")
            fail(where, "the first text is \"written\" or \"reading\", not \"" + f[3] + "\"");
        Bank bank;
        bank.name = f[0];
        bank.list = f[1];
        bank.count = parseCount(f[2]);
        if (bank.count < 1)
            fail(where, "the number of words is not a number of at least 1: \"" + f[2] + "\"");
        bank.readingFirst = f[3] == "reading";
        bank.levelButton = f[4];
        bank.menuEntry = f[5];
        checkNoControl(bank.levelButton, where, "the level button");
        checkNoControl(bank.menuEntry, where, "the menu entry");
        banks.push_back(bank);
    }
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

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: bankgen OUTPUT.cpp TABLE.tsv\n";
        return 2;
    }
    const std::string table = argv[2];
    const size_t slash = table.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : table.substr(0, slash + 1);
    std::vector<Bank> banks = readTable(table);
    for (Bank &bank : banks)
        readBank(bank, folder);

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

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file)
        fail(argv[1], "cannot write the generated source");
    return 0;
}
