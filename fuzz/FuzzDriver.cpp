// Runs a fuzz target without libFuzzer (clang cannot compile the program's code page 932
// literals): every file named on the command line, then random mutations of them.
// Usage: MonthFileFuzz [-runs=N] [-seed=S] files...
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::string Mutate(std::string input, std::mt19937& random) {
    // Bytes that matter to the month file: quotes, commas, blanks, line ends, end-of-file, lead bytes.
    static const char kInteresting[] = {'"',    ',',    ' ', '\t', '\r', '\n', '\x1A', '\0',
                                        '\x81', '\x82', '.', '3',  'e',  '9',  '-'};
    int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        char c = random() % 2 ? kInteresting[random() % sizeof(kInteresting)] : static_cast<char>(random());
        switch (random() % 3) {
        case 0:
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), c);
            break;
        case 1:
            if (at < input.size())
                input[at] = c;
            break;
        default:
            if (at < input.size())
                input.erase(at, 1 + random() % 4);
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    long runs = 100000;
    unsigned seed = 1;
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0) {
            runs = std::atol(argv[i] + 6);
        } else if (std::strncmp(argv[i], "-seed=", 6) == 0) {
            seed = static_cast<unsigned>(std::atol(argv[i] + 6));
        } else {
            std::ifstream file(argv[i], std::ios::binary);
            corpus.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
    }
    if (corpus.empty())
        corpus.emplace_back();
    for (const std::string& input : corpus)
        Run(input);
    std::mt19937 random(seed);
    for (long i = 0; i < runs; ++i)
        Run(Mutate(corpus[random() % corpus.size()], random));
    std::printf("%ld inputs from %zu seeds: no fault\n", runs + static_cast<long>(corpus.size()), corpus.size());
    return 0;
}
