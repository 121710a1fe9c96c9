#ifndef TESTS_TEXT_FILE_H
#define TESTS_TEXT_FILE_H

#include <fstream>
#include <iterator>
#include <string>

// Whole files as bytes, for tests that inspect or damage what was saved.
inline std::string read_text(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_text(std::string const& path, std::string const& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

#endif
