#pragma once
// config.bin and str.ini must agree: the labels name the functions the
// buttons have. A save of both therefore stages the complete new str.ini
// beside it as ".str.ini.<tag>.pending", where the tag names the config.bin
// it belongs to; then config.bin is replaced; then the staged file is renamed
// over str.ini. A crash between the two renames leaves the staged file, and
// the next start finishes the save when config.bin is the one it belongs to.
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace px {

// The tag of a file's bytes: their 64-bit FNV-1a hash in 16 lowercase hex
// digits.
std::string ContentTag(std::span<const std::uint8_t> bytes);

// ".NAME.<tag>.pending" beside `target` (not of the form of its temporary
// files, which are swept by age alone).
NativePath StagedPathOf(const NativePath& target, std::string_view tag);

// The tag of a staged file of `target`, or nothing for any other name.
std::optional<std::string> StagedTagOf(const NativePath& name, const NativePath& target);

// `bytes` as the staged file of `target` for `tag`: written to a temporary
// file of `target` (swept like any other), flushed, then renamed.
WriteResult StageFile(FileSystem& files, const NativePath& target, std::string_view tag,
                      std::span<const std::uint8_t> bytes);

// The staged file of `tag` in the place of `target`, in one step.
bool CommitStaged(FileSystem& files, const NativePath& target, std::string_view tag, int& error);

enum class StagedAction { Commit, Remove, Keep };

// What a start does with a staged file: the one that belongs to the current
// config.bin is committed (the save got past config.bin); another is removed
// once it is old enough that no running save can still be about to use it.
StagedAction DecideStaged(std::string_view stagedTag, const std::optional<std::string>& currentTag,
                          std::chrono::seconds age);

// Applies DecideStaged to every staged file of `target` in its folder; only
// plain files are touched.
void SettleStaged(FileSystem& files, const NativePath& target, const std::optional<std::string>& currentTag);

}  // namespace px
