// Writes the completion as plain bash (no helpers of the bash-completion package), so it
// also works when sourced alone.
#include "bash_completion.h"

#include <set>
#include <sstream>

namespace trivant {

namespace {

std::string functionName(const std::string& tool) {
    std::string out = "_" + tool;
    for (char& c : out)
        c = c == '-' ? '_' : c;
    return out;
}

std::string join(const std::set<std::string>& words, const char* sep) {
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : sep) + w;
    return out;
}

std::string spellings(const OptionTable& table, bool withValue) {
    std::set<std::string> words;
    for (const OptionRow& o : table)
        if (!withValue || *o.valueName != '\0')
            for (const std::string& s : OptionSpellings(o))
                words.insert(s);
    return join(words, withValue ? "|" : " ");
}

const char* extensions(char kind) {
    switch (kind) {
    case 'r':
        return "rr txt";
    case 'i':
        return "rr txt csv hea edf bdf gdf";  // ECG records are read too
    case 'w':
        return "rr txt csv";
    case 'c':
        return "csv";
    case 'p':
        return "png";
    case 'f':
        return "pdf";
    case 'j':
        return "part";
    default:
        return "";
    }
}

// Every option of the tool that takes a value, with what the value completes to.
OptionTable valueOptions(const CompletionTool& tool) {
    OptionTable all = tool.options;
    for (const CompletionCommand& c : tool.commands)
        all.insert(all.end(), c.options.begin(), c.options.end());
    OptionTable out;
    std::set<std::string> seen;
    for (const OptionRow& o : all)
        if (*o.valueName != '\0' && seen.insert(LongName(o)).second)
            out.push_back(o);
    return out;
}

void writeFileHelper(std::ostream& s, const std::string& fn) {
    s << fn << "_files() {  # $1: extensions (any file when empty), $2: the word so far\n"
      << "    local f e\n"
      << "    compopt -o filenames 2>/dev/null\n"
      << "    while IFS= read -r f; do\n"
      << "        if [[ -d $f || -z $1 ]]; then COMPREPLY+=(\"$f\"); continue; fi\n"
      << "        for e in $1; do [[ ${f,,} == *.$e ]] && COMPREPLY+=(\"$f\") && break; done\n"
      << "    done < <(compgen -f -- \"$2\")\n"
      << "}\n\n";
}

// A value completes to words or file names; the other values are free, with nothing to offer.
void writeValues(std::ostream& s, const std::string& fn, const OptionTable& options) {
    s << "    if [[ -n $opt ]]; then\n        case $opt in\n";
    for (const OptionRow& o : options) {
        const std::string v = o.values;
        if (v.empty())
            continue;
        std::string names;
        for (const std::string& n : OptionSpellings(o))
            names += (names.empty() ? "" : "|") + n;
        s << "        " << names << ") ";
        if (v == kCompleteFiles)
            s << fn << "_files \"\" \"$cur\"";
        else if (v == kCompleteRecordings)
            s << fn << "_files \"" << extensions('i') << "\" \"$cur\"";
        else
            s << "COMPREPLY=($(compgen -W \"" << v << "\" -- \"$cur\"))";
        s << " ;;\n";
    }
    s << "        esac\n        return\n    fi\n";
}

void writeOptionWords(std::ostream& s, const CompletionTool& tool) {
    s << "    if [[ $cur == -* ]]; then\n        local words=\"" << spellings(tool.options, false)
      << "\"\n";
    if (!tool.commands.empty()) {
        s << "        case $cmd in\n";
        for (const CompletionCommand& c : tool.commands)
            s << "        " << c.name << ") words=\"" << spellings(c.options, false) << "\" ;;\n";
        s << "        esac\n";
    }
    s << "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n        return\n    fi\n";
}

void writeFileNames(std::ostream& s, const std::string& fn, const CompletionTool& tool) {
    std::set<std::string> names;
    for (const CompletionCommand& c : tool.commands)
        names.insert(c.name);
    s << "    if [[ -z $cmd ]]; then\n        COMPREPLY=($(compgen -W \"" << join(names, " ")
      << "\" -- \"$cur\"))\n        return\n    fi\n    local exts\n    case $cmd:$npos in\n";
    for (const CompletionCommand& c : tool.commands) {
        const bool many = !c.files.empty() && c.files.back() == '+';
        const std::string kinds = many ? c.files.substr(0, c.files.size() - 1) : c.files;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const bool last = i + 1 == kinds.size();
            s << "    " << c.name << ":" << (many && last ? "*" : std::to_string(i)) << ") exts=\""
              << extensions(kinds[i]) << "\" ;;\n";
        }
    }
    s << "    *) return ;;\n    esac\n    " << fn << "_files \"$exts\" \"$cur\"\n";
}

}  // namespace

std::string BashCompletion(const CompletionTool& tool) {
    const std::string fn = functionName(tool.name);
    const OptionTable values = valueOptions(tool);
    std::ostringstream s;
    s << "# bash completion for " << tool.name << ", written from its option tables.\n\n";
    writeFileHelper(s, fn);
    s << fn << "() {\n"
      << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} opt=\n"
      << "    COMPREPLY=()\n"
      << "    # bash splits \"--name=value\" at the '=' into three words.\n"
      << "    if [[ $cur == = ]]; then\n        opt=$prev cur=\n"
      << "    elif [[ $prev == = ]]; then\n        opt=${COMP_WORDS[COMP_CWORD-2]}\n"
      << "    else\n        case $prev in " << spellings(values, true) << ") opt=$prev ;; esac\n"
      << "    fi\n";
    writeValues(s, fn, values);
    // The command is the first word that is neither an option nor an option's value.
    s << "    local cmd= npos=0 i=1 w\n"
      << "    while ((i < COMP_CWORD)); do\n"
      << "        w=${COMP_WORDS[i]}\n"
      << "        if [[ ${COMP_WORDS[i+1]} == = ]]; then i=$((i + 3)); continue; fi\n"
      << "        case $w in\n"
      << "        " << spellings(values, true) << ") i=$((i + 1)) ;;\n"
      << "        -*) ;;\n"
      << "        *) if [[ -z $cmd ]]; then cmd=$w; else npos=$((npos + 1)); fi ;;\n"
      << "        esac\n"
      << "        i=$((i + 1))\n"
      << "    done\n";
    writeOptionWords(s, tool);
    if (!tool.commands.empty())
        writeFileNames(s, fn, tool);
    s << "}\n\ncomplete -F " << fn << " " << tool.name << "\n";
    return s.str();
}

}  // namespace trivant
