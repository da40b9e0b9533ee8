// A fresh temporary folder that becomes the working directory for one test
// and is removed afterwards, so tests never see each other's files or the
// machine's own COMn links.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace veltrano::testing {

class TempWorkDir {
public:
    TempWorkDir() : previous_(std::filesystem::current_path()) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "veltrano-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
        std::filesystem::current_path(path_);
    }
    ~TempWorkDir() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace veltrano::testing
