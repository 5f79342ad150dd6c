#pragma once
// The names of the atomic writer's temporary files beside their target, and
// the removal of those a killed save left behind. A name says who made the
// file: ".<name>.<boot id>.<pid namespace>.<process id>.<random>.tmp", where
// the boot id (32 hex digits) tells one running system from another and the
// pid namespace (its number) tells in which numbering the process id holds.
// So a save removes only a file whose maker is certainly gone; the file of a
// save on another machine, in another container or of an unknown maker stays.
#include <string>

namespace platform {

// The folder of `target`, where its temporary files go ("." for a bare name).
std::string TemporaryFolderFor(const std::string& target);

// A new temporary name for a file of `target`'s, in its folder. Unique: the
// process id and 64 random bits, so a later process given the same id never
// makes the name of an abandoned file.
std::string TemporaryNameFor(const std::string& target);

// Removes the temporary files of `target` (regular files of ours) made on
// this running system, in this pid namespace, by a process that no longer
// exists. Where the system does not tell its boot id or pid namespace,
// nothing is removed.
void RemoveAbandonedTemporaries(const std::string& target);

}  // namespace platform
