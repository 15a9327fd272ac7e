// The members of the data archive, in the fixed order they are packed, with the name index checks.
#pragma once

#include "Bytes.h"

#include <map>
#include <string>
#include <vector>

namespace datagen {

class Members {
public:
    // Throws when the name is already taken.
    void add(const std::string& name, Bytes bytes);
    bool has(const std::string& name) const { return index.count(name) != 0; }
    const Bytes& get(const std::string& name) const;
    const std::vector<std::string>& names() const { return order; }

    // Names of two members that hash alike in the game's archive index (the game would only
    // ever find the first); empty when none.
    std::vector<std::string> hashClashes() const;
    // Probed names the archive must not hold, which would still be found through a clash.
    std::vector<std::string> falseHits(const std::vector<std::string>& absentProbes) const;

    // Writes every member under dir and a list file of the names in order; returns the list's path.
    std::string writeTo(const std::string& dir) const;

private:
    std::vector<std::string> order;
    std::map<std::string, Bytes> index;
};

}  // namespace datagen
