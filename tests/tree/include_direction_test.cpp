// Holds every source file of the tree to the folder table of docs/architecture.md, so the layers
// keep one direction as pages land.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Table = std::map<std::string, std::set<std::string>>;

fs::path SourceDir() {
    const char* dir = std::getenv("TARN_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::path(".");
}

// The folder names of one cell: every `name/` in it.
std::set<std::string> FoldersOfCell(const std::string& cell) {
    std::set<std::string> folders;
    size_t at = 0;
    while ((at = cell.find('`', at)) != std::string::npos) {
        const size_t end = cell.find('`', at + 1);
        if (end == std::string::npos) break;
        std::string name = cell.substr(at + 1, end - at - 1);
        if (!name.empty() && name.back() == '/') folders.insert(name.substr(0, name.size() - 1));
        at = end + 1;
    }
    return folders;
}

// Rows look like "| `folder/` | `a/`, `b/` | what it holds |".
Table ParseTable(std::istream& in) {
    Table table;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("| `", 0) != 0) continue;
        std::vector<std::string> cells;
        std::stringstream row(line.substr(1));
        std::string cell;
        while (std::getline(row, cell, '|')) cells.push_back(cell);
        if (cells.size() < 2) continue;
        const auto self = FoldersOfCell(cells[0]);
        if (self.size() != 1) continue;
        table[*self.begin()] = FoldersOfCell(cells[1]);
    }
    return table;
}

// The first folder of a quoted include with a path ("skin/slider_win32.h" -> "skin"), or empty.
std::string IncludedFolder(const std::string& line) {
    const size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string::npos || line.compare(hash, 8, "#include") != 0) return {};
    const size_t open = line.find('"', hash + 8);
    if (open == std::string::npos) return {};
    const size_t slash = line.find('/', open + 1);
    const size_t close = line.find('"', open + 1);
    if (slash == std::string::npos || close == std::string::npos || slash > close) return {};
    return line.substr(open + 1, slash - open - 1);
}

// "file:line includes folder/" for every include that leaves the file's own folder for one its
// row does not allow. Only folders of the product (the table's own rows) are held to it.
std::vector<std::string> Violations(const Table& table, const std::string& folder,
                                    const std::string& fileName, std::istream& source) {
    std::vector<std::string> found;
    const auto row = table.find(folder);
    std::string line;
    int number = 0;
    while (std::getline(source, line)) {
        ++number;
        const std::string target = IncludedFolder(line);
        if (target.empty() || target == folder || !table.count(target)) continue;
        if (row != table.end() && row->second.count(target)) continue;
        found.push_back(fileName + ":" + std::to_string(number) + " includes " + target + "/");
    }
    return found;
}

Table LoadTable() {
    std::ifstream in(SourceDir() / "docs" / "architecture.md");
    return ParseTable(in);
}

bool IsSource(const fs::path& path) {
    const auto ext = path.extension();
    return ext == ".cpp" || ext == ".h" || ext == ".hpp" || ext == ".cc";
}

TEST(IncludeDirectionTest, EverySourceFileIncludesOnlyFoldersItsRowAllows) {
    const Table table = LoadTable();
    ASSERT_GT(table.size(), 10u) << "docs/architecture.md has no folder table";
    std::vector<std::string> violations;
    int files = 0;
    for (const auto& top : fs::directory_iterator(SourceDir())) {
        const std::string folder = top.path().filename().string();
        if (!top.is_directory() || folder.front() == '.' || folder == "build") continue;
        for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
            if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
            std::ifstream source(entry.path());
            const auto rel = fs::relative(entry.path(), SourceDir()).string();
            for (auto& v : Violations(table, folder, rel, source)) violations.push_back(v);
            ++files;
        }
    }
    EXPECT_GT(files, 100);
    std::string list;
    for (const auto& v : violations) list += "\n  " + v;
    EXPECT_TRUE(violations.empty()) << "includes against docs/architecture.md:" << list;
}

TEST(IncludeDirectionTest, NoFolderMayIncludeOneThatMayIncludeItBack) {
    const Table table = LoadTable();
    // Depth-first search for a cycle through the allowed edges.
    std::map<std::string, int> state;  // 1 on the path, 2 done
    std::vector<std::string> path;
    std::string cycle;
    std::function<bool(const std::string&)> visit = [&](const std::string& folder) {
        state[folder] = 1;
        path.push_back(folder);
        const auto row = table.find(folder);
        if (row != table.end()) {
            for (const auto& next : row->second) {
                if (next == folder) continue;
                if (state[next] == 1) {
                    for (const auto& f : path) cycle += f + " -> ";
                    cycle += next;
                    return true;
                }
                if (state[next] == 0 && visit(next)) return true;
            }
        }
        path.pop_back();
        state[folder] = 2;
        return false;
    };
    for (const auto& [folder, allowed] : table) {
        if (state[folder] == 0 && visit(folder)) break;
    }
    EXPECT_TRUE(cycle.empty()) << cycle;
    // The top of the program is the tests' alone.
    for (const auto& [folder, allowed] : table) {
        if (folder != "tests") EXPECT_FALSE(allowed.count("app")) << folder << " may include app/";
    }
}

TEST(IncludeDirectionTest, ForbiddenIncludesAreFoundAndAllowedOnesPass) {
    std::istringstream doc(
        "| folder | may include | what |\n"
        "|---|---|---|\n"
        "| `base/` | | ground |\n"
        "| `skin/` | `base/` | controls |\n"
        "| `app/` | `base/`, `skin/` | top |\n");
    const Table table = ParseTable(doc);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_TRUE(table.at("base").empty());

    std::istringstream source(
        "#include \"skin/own.h\"\n"
        "#include \"base/text.h\"\n"
        "#include <gtest/gtest.h>\n"
        "#include \"local.h\"\n"
        "#include \"third_party/x.h\"\n"
        "  #include \"app/main_window_win32.h\"\n"
        "// #include \"app/commented.h\" is not an include\n");
    const auto found = Violations(table, "skin", "skin/x.cpp", source);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "skin/x.cpp:6 includes app/");

    // A folder missing from the table may include nothing of the product.
    std::istringstream stray("#include \"base/text.h\"\n");
    EXPECT_EQ(Violations(table, "newpage", "newpage/a.cpp", stray).size(), 1u);
}

}  // namespace
