#include "simulation/Progress.h"

#include "foundation/Failed_saves.h"
#include "foundation/Unreadable_files.h"
#include "foundation/Xml_archive_file.h"

#include <algorithm>
#include <iostream>

int Progress::level_to_continue(int level_count) const
{
    return std::min(std::max(last_level, 0), std::max(level_count, 0));
}

Progress load_progress_file(std::string const& path)
{
    std::string reason;
    try
    {
        try
        {
            std::string bytes;
            if (!read_file_bytes(path, bytes))
            {
                std::cout << "No progress file found" << std::endl;
                return Progress();
            }
            Progress progress;
            read_xml_archive(bytes, "_progress", progress);
            return progress;
        }
        catch (std::exception const& error)
        {
            keep_unreadable_file(path, "Your progress", error);
            throw;
        }
    }
    catch (std::exception const& error)
    {
        reason = error.what();
    }
    catch (...)
    {
        reason = "unknown error";
    }
    std::cout << "Failed to load progress file, progress reset: " << reason << std::endl;
    return Progress();
}

bool save_progress_file(Progress const& progress, std::string const& path)
{
    return save_players_file(path, "Your progress", "Core::save_progress could not save ", [&](std::string& error) {
        std::string const bytes = write_xml_archive("_progress", progress);
        // A run holding a NaN would be written, then refuse to load and take
        // every other run with it.
        Progress trial;
        read_xml_archive(bytes, "_progress", trial);
        return write_file_atomically(path, bytes, error);
    });
}
