#include "tests/sweep/Outcome.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>

namespace fault_sweep {
namespace {

namespace fs = std::filesystem;

// The runner's own files in the run's folder, which the programs never see.
const std::set<std::string> kRunnerFiles = {"report", "stderr"};

std::string TemporaryRoot() {
    const char* folder = std::getenv("TMPDIR");
    std::string root = folder != nullptr ? folder : "/tmp";
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

}  // namespace

std::string Normalized(std::string text) {
    // Every run's folder lies beside the others: "<scratch>/run-<n>".
    const std::string root = TemporaryRoot();
    const std::string runs = root.substr(0, root.find_last_of('/') + 1) + "run-";
    for (std::size_t at; (at = text.find(runs)) != std::string::npos;) {
        std::size_t end = at + runs.size();
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        text.replace(at, end - at, "<tmp>");
    }
    for (std::size_t at; (at = text.find(root)) != std::string::npos;) {
        text.replace(at, root.size(), "<tmp>");
    }
    for (std::size_t at = 0; (at = text.find("wiztest_", at)) != std::string::npos;) {
        at += 8;
        std::size_t end = at;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end < text.size() && text[end] == '_' && end > at) text.erase(at, end + 1 - at);
    }
    return text;
}

namespace {

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return text;
}

std::string Hash(const std::string& bytes) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
    char text[32];
    std::snprintf(text, sizeof(text), "%zu bytes %016llx", bytes.size(),
                  static_cast<unsigned long long>(hash));
    return text;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void AddFiles(Outcome& outcome) {
    const fs::path root = TemporaryRoot();
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file()) continue;
        const std::string relative = fs::relative(it->path(), root).generic_string();
        if (kRunnerFiles.count(relative) != 0 || it->path() == RecordPath()) continue;
        outcome.facts["file " + Normalized(relative)] = ContentFact(ReadBytes(it->path()));
    }
}

void AddRegistry(const platform::FakePlatform& fake, Outcome& outcome) {
    for (const auto& [value, text] : fake.RegistrySnapshot()) {
        outcome.facts["registry " + Normalized(value)] = Normalized(OneLine(text));
    }
}

// A record line's fields: key=value, a value in quotes with its quotes doubled.
std::vector<std::pair<std::string, std::string>> Fields(const std::string& line) {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t at = line.find(' ');
    while (at != std::string::npos && at < line.size()) {
        const std::size_t start = at + 1;
        const std::size_t equals = line.find('=', start);
        if (equals == std::string::npos) break;
        std::string value;
        std::size_t next = equals + 1;
        if (next < line.size() && line[next] == '"') {
            for (++next; next < line.size(); ++next) {
                if (line[next] == '"' && next + 1 < line.size() && line[next + 1] == '"') {
                    value += '"';
                    ++next;
                } else if (line[next] == '"') {
                    ++next;
                    break;
                } else {
                    value += line[next];
                }
            }
        } else {
            const std::size_t space = line.find(' ', next);
            value = line.substr(next, space - next);
            next = space;
        }
        fields.emplace_back(line.substr(start, equals - start), value);
        at = next;
    }
    return fields;
}

std::string Event(const std::string& line) { return line.substr(0, line.find(' ')); }

std::string Field(const std::string& line, const std::string& key) {
    for (const auto& [name, value] : Fields(line)) {
        if (name == key) return value;
    }
    return {};
}

std::vector<std::string> ReadRecord() {
    std::string bytes = ReadBytes(RecordPath());
    static const std::string kMark = "\xEF\xBB\xBF";
    if (bytes.compare(0, kMark.size(), kMark) == 0) bytes.erase(0, kMark.size());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        // Without its time: every line of a run has the fake's.
        const std::size_t space = line.find(' ');
        lines.push_back(Normalized(space == std::string::npos ? line : line.substr(space + 1)));
        start = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& parts, const char* between = " | ") {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : between) + part;
    return joined;
}

}  // namespace

std::string RecordPath() { return TemporaryRoot() + "/setup.log"; }

std::string FileFact(const std::string& path) {
    std::string host = path;
    for (char& c : host) {
        if (c == '\\') c = '/';
    }
    const std::string root = TemporaryRoot() + "/";
    if (host.starts_with(root)) host.erase(0, root.size());
    return "file " + Normalized(host);
}

// Files name the run's folders too, as an answer file does.
std::string ContentFact(const std::string& bytes) { return Hash(Normalized(bytes)); }

std::string RegistryFact(const std::string& subkey, const std::string& name) {
    std::string value = "HKLM\\" + subkey + "\\" + name;
    for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return "registry " + value.replace(0, 4, "HKLM");
}

void DeriveRecordFacts(Outcome& outcome) {
    std::vector<std::string> pages, boxes, failures, pickers;
    std::string exit;
    for (const std::string& line : outcome.record) {
        const std::string event = Event(line);
        if (event == "page") pages.push_back(Field(line, "name"));
        if (event == "message") {
            boxes.push_back(Field(line, "kind") + " " + Field(line, "caption") + ": " +
                            Field(line, "text"));
        }
        if (event == "failure") failures.push_back(Field(line, "what"));
        if (event == "folder-picker") pickers.push_back(Field(line, "title"));
        if (event == "exit") exit = Field(line, "code");
    }
    outcome.facts["pages"] = Joined(pages, " > ");
    outcome.facts["boxes"] = Joined(boxes);
    outcome.facts["failures"] = Joined(failures);
    outcome.facts["pickers"] = Joined(pickers);
    outcome.facts["record-exit"] = exit;
}

Outcome CaptureMachine(const platform::FakePlatform& fake) {
    Outcome outcome;
    AddRegistry(fake, outcome);
    AddFiles(outcome);
    return outcome;
}

Outcome Capture(const platform::FakePlatform& fake, int exitCode) {
    Outcome outcome = CaptureMachine(fake);
    outcome.facts["exit"] = std::to_string(exitCode);
    std::vector<std::string> starts;
    for (const platform::RecordedStart& start : fake.starts) {
        starts.push_back(Normalized(OneLine(start.operation + " " + start.file + " " +
                                            start.parameters + " in " + start.workingFolder)));
    }
    outcome.facts["starts"] = Joined(starts);
    std::vector<std::string> services;
    for (const std::string& stop : fake.serviceStops) services.push_back("stop " + stop);
    for (const std::string& start : fake.serviceStarts) services.push_back("start " + start);
    outcome.facts["services"] = Joined(services);
    outcome.facts["shown"] = std::to_string(fake.messages.size() + fake.folderPickerTitles.size());
    outcome.record = ReadRecord();
    DeriveRecordFacts(outcome);
    return outcome;
}

int CountEvents(const Outcome& outcome, const std::string& event, const std::string& field) {
    int count = 0;
    for (const std::string& line : outcome.record) {
        if (Event(line) == event && (field.empty() || line.find(" " + field) != std::string::npos)) {
            ++count;
        }
    }
    return count;
}

std::vector<std::string> Serialize(const Outcome& outcome) {
    std::vector<std::string> lines;
    for (const auto& [name, value] : outcome.facts) lines.push_back("fact\t" + name + "\t" + value);
    for (const std::string& line : outcome.record) lines.push_back("line\t" + OneLine(line));
    return lines;
}

void Deserialize(const std::vector<std::string>& lines, Outcome& outcome) {
    for (const std::string& line : lines) {
        const std::size_t tab = line.find('\t');
        const std::string kind = line.substr(0, tab);
        const std::string rest = line.substr(tab + 1);
        if (kind == "line") outcome.record.push_back(rest);
        if (kind != "fact") continue;
        const std::size_t second = rest.find('\t');
        outcome.facts[rest.substr(0, second)] = rest.substr(second + 1);
    }
}

}  // namespace fault_sweep
