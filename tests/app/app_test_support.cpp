#include "app_test_support.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

TestFolder::TestFolder()
{
    static std::atomic<int> serial = 0;
    m_path = std::filesystem::temp_directory_path()
        / ("zan-app-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(m_path);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TestFolder::write(const std::string &name, const std::string &bytes) const
{
    const std::string path = file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string readFile(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readZipMember(const std::string &zipFile, const std::string &member)
{
    const std::string command = "unzip -p '" + zipFile + "' " + member;
    std::string text;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

std::string csvLine(
    const std::string &identification, const std::string &sire, const std::string &dam)
{
    return "\"" + identification + "\",\"" + sire + "\",\"" + dam + "\"\r\n";
}
