#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::string file(const std::string &name) const { return (m_path / name).string(); }
    // Writes the bytes to the named file in the folder and returns its path.
    std::string write(const std::string &name, const std::string &bytes) const;

private:
    std::filesystem::path m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::string &fileName);
// One member of a zip file (an Excel workbook's sheet) as `unzip -p` gives it; empty when it
// cannot be read.
std::string readZipMember(const std::string &zipFile, const std::string &member);
// One pedigree file line: the three fields quoted, CR LF at the end.
std::string csvLine(
    const std::string &identification, const std::string &sire = {}, const std::string &dam = {});
