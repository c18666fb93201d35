// Keeps words and answers their reviews one after another, as the program does, printing each as done once the call
// has returned: what kill_during_write.sh kills at a random moment and then checks.
//   keep_writer FILE FIRST COUNT
#include "keep/MyWords.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: keep_writer FILE FIRST COUNT\n", stderr);
        return 2;
    }
    try {
        keep::MyWords words(argv[1], false);
        const int first = std::stoi(argv[2]);
        for (int i = first; i < first + std::stoi(argv[3]); ++i) {
            const std::string word = std::string("w").append(std::to_string(i));
            words.keepWord("/db2.mdb", word, i);
            std::printf("kept %s\n", word.c_str());
            std::fflush(stdout);
            words.answer("/db2.mdb", word, true, i);
            std::printf("answered %s\n", word.c_str());
            std::fflush(stdout);
        }
    } catch (const keep::Failure& failure) {
        std::fprintf(stderr, "keep_writer: %s\n", failure.what());
        return 1;
    }
    return 0;
}
