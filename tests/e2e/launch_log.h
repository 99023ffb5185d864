// What the shell launched for web addresses, as the recorder registered in the prefix saw it.
#pragma once
#include <string>
#include <vector>

// Registers the recorder as the handler of http addresses for the whole test program.
void RegisterUrlRecorder();

// A fresh log for the programs started from now on (through the environment they inherit).
class LaunchLog {
public:
    LaunchLog();
    ~LaunchLog();
    std::vector<std::string> Lines() const;
    int Count() const { return static_cast<int>(Lines().size()); }
    // Waits until at least n launches were recorded; then a little longer for strays.
    bool WaitForCount(int n) const;

private:
    std::string path_;
};
