// A fresh temporary folder that the test works in and that is removed afterwards.
#pragma once

#include <string>

class ScratchDir {
  public:
    ScratchDir();   // creates the folder and makes it the working directory
    ~ScratchDir();  // returns to the previous working directory and removes it
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes `content` to `name` inside the folder.
    void write(const std::string& name, const std::string& content) const;
    // Content of `name` inside the folder ("" when missing).
    std::string read(const std::string& name) const;

  private:
    std::string path_;
    std::string previous_;
};
