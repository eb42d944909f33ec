// Runs the built tarnctl as a user would, in a scratch folder that also holds the installed
// default files written by tarn_defaults.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarn::test {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline fs::path BuiltProgram(const char* name) {
    if (const char* dir = std::getenv("TARN_BINARY_DIR")) return fs::path(dir) / "bin" / name;
    return fs::read_symlink("/proc/self/exe").parent_path() / name;
}

inline std::string Quote(const std::string& word) {
    std::string out = "'";
    for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const fs::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

class TarnctlTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool_ = BuiltProgram("tarnctl");
        if (!fs::exists(tool_)) GTEST_SKIP() << "tarnctl is not built: " << tool_;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("tarnctl-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path defaults = BuiltProgram("tarn_defaults");
        ASSERT_TRUE(fs::exists(defaults)) << defaults;
        ASSERT_EQ(std::system((Quote(defaults.string()) + " " + Quote(Installed(""))).c_str()), 0);
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    // A file of the installed defaults ("Profile/Profile1.cfg").
    std::string Installed(const std::string& name) const {
        return (dir_ / "program" / name).string();
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // env: "NAME=value" settings for this run only.
    RunResult Run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        std::string line = "env -u TARN_SIM_LOG -u TARN_SIM_FAIL ";
        for (const std::string& setting : env) line += Quote(setting) + " ";
        line += Quote(tool_.string());
        for (const std::string& arg : args) line += " " + Quote(arg);
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        line += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
        const int raw = std::system(line.c_str());
        RunResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = Slurp(out);
        result.err = Slurp(err);
        return result;
    }

    fs::path tool_;
    fs::path dir_;
};

}  // namespace tarn::test
