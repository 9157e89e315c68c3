// bankgen: turns the word lists (UTF-8, one word a line, three tab-separated fields)
// into GBK byte strings compiled into the program as constant data.
//
//   bankgen OUTPUT.cpp NAME=FILE:COUNT[:second-optional] ...
//
// NAME is the WordLevel enumerator the list belongs to. The build stops with a
// message naming the file and line when a line does not have exactly three fields,
// a required field is empty, a text cannot be encoded in GBK, or the list does not
// hold exactly COUNT words.

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

struct Bank {
    std::string name;
    std::string file;
    long count = 0;
    bool secondOptional = false;
    std::string text;                 // all texts, GBK, back to back
    std::vector<size_t> bounds;       // where each text begins, and the end
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

// UTF-8 to GBK; on failure reports the offending character.
std::string toGbk(const std::string &utf8, const std::string &where, const char *field)
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
    out.resize(out.size() - outLeft);
    return out;
}

// A C++ string literal, safe for any byte.
std::string literal(const std::string &bytes)
{
    std::string s = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            s += static_cast<char>(c);
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            s += esc;
        }
    }
    return s + "\"";
}

Bank parseBankArgument(const std::string &arg)
{
    Bank bank;
    const auto eq = arg.find('=');
    if (eq == std::string::npos)
        fail("bankgen", "bank argument must read NAME=FILE:COUNT[:second-optional]: " + arg);
    bank.name = arg.substr(0, eq);
    std::string rest = arg.substr(eq + 1);
    const std::string optional = ":second-optional";
    if (rest.size() > optional.size() && rest.compare(rest.size() - optional.size(), optional.size(), optional) == 0) {
        bank.secondOptional = true;
        rest.resize(rest.size() - optional.size());
    }
    const auto colon = rest.rfind(':');
    if (colon == std::string::npos)
        fail("bankgen", "bank argument lacks its word count: " + arg);
    bank.file = rest.substr(0, colon);
    bank.count = std::stol(rest.substr(colon + 1));
    return bank;
}

void readBank(Bank &bank)
{
    std::ifstream in(bank.file, std::ios::binary);
    if (!in)
        fail(bank.file, "cannot open the word list");
    std::string line;
    long lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = bank.file + ":" + std::to_string(lineNo);
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            const size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (fields.size() != 3)
            fail(where, "expected 3 tab-separated fields (first text, second text, meaning), found "
                            + std::to_string(fields.size()));
        if (fields[0].empty())
            fail(where, "the first text is empty");
        if (fields[1].empty() && !bank.secondOptional)
            fail(where, "the second text is empty");
        if (fields[2].empty())
            fail(where, "the meaning is empty");
        static const char *names[] = {"the first text", "the second text", "the meaning"};
        for (int i = 0; i < 3; ++i) {
            bank.bounds.push_back(bank.text.size());
            bank.text += toGbk(fields[i], where, names[i]);
        }
    }
    bank.bounds.push_back(bank.text.size());
    const long words = static_cast<long>(bank.bounds.size() / 3);
    if (words != bank.count)
        fail(bank.file, "holds " + std::to_string(words) + " words; the bank must have exactly "
                            + std::to_string(bank.count));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::cerr << "usage: bankgen OUTPUT.cpp NAME=FILE:COUNT[:second-optional] ...\n";
        return 2;
    }
    std::vector<Bank> banks;
    for (int i = 2; i < argc; ++i) {
        banks.push_back(parseBankArgument(argv[i]));
        readBank(banks.back());
    }

    std::ostringstream out;
    out << "// Generated by bankgen from the word lists in wordbank/data. Do not edit.\n"
           "#include \"levelbanks.h\"\n\nnamespace {\n";
    for (const Bank &bank : banks) {
        // One line of the text array per word: its three texts.
        out << "\nconstexpr char k" << bank.name << "Text[] =\n";
        for (size_t w = 0; w + 1 < bank.bounds.size(); w += 3)
            out << "    " << literal(bank.text.substr(bank.bounds[w], bank.bounds[w + 3] - bank.bounds[w])) << "\n";
        out << "    ;\n\nconstexpr uint32_t k" << bank.name << "Bounds[] = {";
        for (size_t i = 0; i < bank.bounds.size(); ++i)
            out << (i % 12 ? " " : "\n    ") << bank.bounds[i] << ",";
        out << "\n};\n";
    }
    out << "\n} // namespace\n\nBank bankWords(WordLevel level)\n{\n    switch (level) {\n";
    for (const Bank &bank : banks)
        out << "    case WordLevel::" << bank.name << ": return Bank(k" << bank.name << "Text, k" << bank.name
            << "Bounds, " << bank.count << ");\n";
    out << "    }\n    return Bank(\"\", nullptr, 0);\n}\n";

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file)
        fail(argv[1], "cannot write the generated source");
    return 0;
}
