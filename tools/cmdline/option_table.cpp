// Parses with QCommandLineParser and formats the help from the same rows.
#include "option_table.h"

#include <QCommandLineParser>

#include <cctype>
#include <map>

namespace trivant {

namespace {

constexpr std::size_t kHelpColumn = 21;

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = s.find(sep); at != std::string::npos; at = s.find(sep, from)) {
        parts.push_back(s.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(s.substr(from));
    return parts;
}

std::string dashed(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

// The argument that brought in an unknown option, so the message shows what was typed.
std::string typed(const QString& name, const std::vector<std::string>& args) {
    const std::string n = name.toStdString();
    for (const std::string& a : args) {
        const std::string head = a.substr(0, a.find('='));
        if (head == "-" + n || head == "--" + n)
            return head;
    }
    return dashed(n);
}

QCommandLineOption qtOption(const OptionRow& o) {
    QStringList names;
    for (const std::string& n : split(o.names, ','))
        names << QString::fromStdString(n);
    if (*o.valueName == '\0')
        return QCommandLineOption(names);
    return QCommandLineOption(names, QString::fromUtf8(o.help), QString::fromUtf8(o.valueName));
}

}  // namespace

std::vector<std::string> OptionSpellings(const OptionRow& o) {
    std::vector<std::string> out;
    for (const std::string& n : split(o.names, ','))
        out.push_back(dashed(n));
    return out;
}

std::string LongName(const OptionRow& o) {
    return split(o.names, ',').back();
}

std::string ParseArguments(const OptionTable& table, const std::vector<std::string>& args,
                           ParsedArguments& out) {
    QCommandLineParser parser;
    // "-verbose" is one unknown option, not seven short ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    std::map<QString, std::string> longNames;
    for (const OptionRow& o : table) {
        parser.addOption(qtOption(o));
        for (const std::string& n : split(o.names, ','))
            longNames[QString::fromStdString(n)] = LongName(o);
    }
    QStringList list{QStringLiteral("program")};  // the parser skips the first argument
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    if (!parser.parse(list)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return "unknown option " + typed(unknown.first(), args);
        // The parser finds a missing value only at the end: a value option came last.
        for (const OptionRow& o : table)
            for (const std::string& s : OptionSpellings(o))
                if (*o.valueName != '\0' && !args.empty() && args.back() == s)
                    return s + " needs a value";
        std::string text = parser.errorText().toStdString();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        if (!text.empty())
            text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    // The parser keeps values per name; the order of the command line decides which wins.
    std::map<std::string, int> taken;
    for (const QString& name : parser.optionNames()) {
        const std::string& full = longNames[name];
        const QStringList values = parser.values(QString::fromStdString(full));
        const int k = taken[full]++;
        out.options.push_back({full, k < values.size() ? values[k].toStdString() : std::string()});
    }
    for (const QString& p : parser.positionalArguments())
        out.positional.push_back(p.toStdString());
    return {};
}

std::string HelpRow(const std::string& left, const char* help) {
    std::string out = "  " + left;
    // Names too long for the column get a line of their own.
    out += out.size() + 1 > kHelpColumn ? "\n" + std::string(kHelpColumn, ' ')
                                        : std::string(kHelpColumn - out.size(), ' ');
    const std::vector<std::string> lines = split(help, '\n');
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? std::string(kHelpColumn, ' ') : std::string()) + lines[i] + "\n";
    return out;
}

std::string OptionsHelp(const OptionTable& table) {
    std::string out;
    for (const OptionRow& o : table) {
        std::string left;
        for (const std::string& s : OptionSpellings(o))
            left += (left.empty() ? "" : ", ") + s;
        if (*o.valueName != '\0')
            left += std::string(" ") + o.valueName;
        out += HelpRow(left, o.help);
    }
    return out;
}

}  // namespace trivant
