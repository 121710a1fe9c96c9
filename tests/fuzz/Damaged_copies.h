#ifndef TESTS_FUZZ_DAMAGED_COPIES_H
#define TESTS_FUZZ_DAMAGED_COPIES_H

#include <cstddef>
#include <string>
#include <vector>

// A damaged copy of one archive file, with what was done to it: the ways a file
// goes wrong on a player's disk or in another player's hands. Kept as the
// changes to the original, since thousands of copies are made of every file.
struct Damaged_copy
{
    struct Edit
    {
        std::size_t begin;
        std::size_t end;
        std::string text;
    };

    std::string what;
    std::vector<Edit> edits; // in order, not overlapping

    std::string bytes(std::string const& original) const;
};

// `thorough` damages every kind of value the file holds; otherwise a sample of
// them, for files much like others in the corpus. Always the same copies for
// the same file and seed.
std::vector<Damaged_copy> damaged_copies(std::string const& original, unsigned seed, bool thorough);

// Files that were never archives, as damaged copies of any file.
std::vector<Damaged_copy> foreign_files(std::string const& original, unsigned seed);

#endif
