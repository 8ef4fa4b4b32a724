// Reading and writing partition documents.

#include "document_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "program.h"
#include "runtime/shown_text.h"

namespace xfer::app {

namespace {

// A document of 999 nodes is about 400 KiB; anything far beyond that is not one.
constexpr std::uintmax_t kMaxDocumentBytes = 64u << 20;

void Say(const std::string& path, const std::string& what) {
    std::cerr << kProgram << ": " << runtime::OneLineText(path) << ": " << what << "\n";
}

}  // namespace

std::optional<partition::PartitionDocument> ReadDocumentFile(const std::string& path) {
    std::string text;
    if (path == "-") {
        std::stringstream in;
        in << std::cin.rdbuf();
        text = in.str();
    } else {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            Say(path, error ? error.message() : "not a readable file");
            return std::nullopt;
        }
        if (std::filesystem::file_size(path, error) > kMaxDocumentBytes) {
            Say(path, "larger than 64 MiB: not a partition document");
            return std::nullopt;
        }
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        if (!in) {
            Say(path, std::strerror(errno));
            return std::nullopt;
        }
        text = bytes.str();
    }
    if (text.size() > kMaxDocumentBytes) {
        Say(path, "larger than 64 MiB: not a partition document");
        return std::nullopt;
    }
    try {
        return partition::ReadDocument(text);
    } catch (const partition::DocumentError& error) {
        Say(path, error.what());
        return std::nullopt;
    }
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    if (path.empty() || path == "-") {
        std::cout << text << std::flush;
        return static_cast<bool>(std::cout);
    }
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            Say(path, std::string("cannot write: ") + std::strerror(errno));
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        Say(path, "cannot write: " + error.message());
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace xfer::app
