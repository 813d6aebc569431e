// A scripted stand-in for a UCI engine, run with FAKE_ENGINE_SCRIPT naming its script and
// FAKE_ENGINE_LOG a file to append every command it reads to. The script is a list of rules, each
// a header and the lines to print; the first rule that fits a command answers it:
//   on PREFIX     answers every command that starts with PREFIX
//   once PREFIX   answers one such command, then gives way to the next rule that fits
// Lines to print may instead be: @exit CODE; @hang (nothing more, ever); @long N (an info line
// of over N bytes). "quit" ends it unless a rule answers it.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

struct Rule {
    std::string sPrefix;
    bool bOnce = false;
    std::vector<std::string> oLines;
};

int main() {
    std::vector<Rule> oRules;
    std::ifstream oScript(std::getenv("FAKE_ENGINE_SCRIPT"));
    for (std::string s; std::getline(oScript, s);) {
        if (s.starts_with("on ") || s.starts_with("once "))
            oRules.push_back({s.substr(s.find(' ') + 1), s.starts_with("once"), {}});
        else if (!oRules.empty() && !s.empty())
            oRules.back().oLines.push_back(s);
    }
    std::ofstream oLog(std::getenv("FAKE_ENGINE_LOG"), std::ios::app);
    for (std::string s; std::getline(std::cin, s);) {
        oLog << s << std::endl;
        auto it = oRules.begin();
        while (it != oRules.end() && !s.starts_with(it->sPrefix))
            ++it;
        if (it == oRules.end() && s == "quit")
            return 0;
        for (const std::string &sLine :
             it == oRules.end() ? std::vector<std::string>{} : it->oLines) {
            if (sLine.starts_with("@exit "))
                std::exit(std::atoi(sLine.c_str() + 6));
            while (sLine == "@hang")
                std::this_thread::sleep_for(std::chrono::seconds(1));
            std::cout << (sLine.starts_with("@long ")
                              ? "info depth 1 score cp " +
                                    std::string(std::stoul(sLine.substr(6)), 'x')
                              : sLine)
                      << std::endl;
        }
        if (it != oRules.end() && it->bOnce)
            oRules.erase(it);
    }
}
