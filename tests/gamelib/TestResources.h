// Test fixture: a temporary program folder with its own game.dat built by 7zz.
#pragma once

#include <map>
#include <string>

class TestResources {
public:
    TestResources();
    ~TestResources();

    // Packs the members into game.dat and opens it as the resource archive.
    void openArchive(const std::map<std::string, std::string>& members);
    // A plain file in the program folder (beside the archive).
    void writeFile(const std::string& name, const std::string& bytes);
    std::string readFile(const std::string& name) const;
    const std::string& folder() const { return root; }

private:
    std::string root;
};
