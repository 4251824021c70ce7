// Runs trivant-cli in-process inside a temporary working folder.
#pragma once

#include "cli_commands.h"
#include "temp_dir.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace trivant::test {

struct CliRun {
    int status;
    std::string out, err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Pictures follow the interface language; the expectations are Russian, whatever the
        // machine's locale.
        setenv("TRIVANT_LANG", "ru", 1);
        saved_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());  // the settings file is looked up here
    }
    void TearDown() override { std::filesystem::current_path(saved_); }

    CliRun run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = RunCli(args, out, err);
        return {status, out.str(), err.str()};
    }
    // The first line of out as a JSON object (empty when it is none).
    static QJsonObject jsonOf(const std::string& out) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(out.substr(0, out.find('\n'))))
            .object();
    }
    // The lines of a text, without their ends.
    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    static std::string data(const std::string& name) {
        return std::string(TRIVANT_TEST_DATA) + "/rr/" + name;
    }

    TempDir dir;

private:
    std::filesystem::path saved_;
};

}  // namespace trivant::test
