// Runs a fuzz target without libFuzzer: every file of the given corpus folders (or single
// files), then a fixed set of mutations of each (truncations, bit flips, odd bytes and
// tokens, ranges deleted, copied, repeated, or taken from another seed). The mutations come
// from a generator seeded by the file's bytes, so each run feeds the same inputs and a
// failure is repeatable.
//
//   fuzz_x [-mutations=N] [-timeout=S] <folder or file>...
//
// An input that crashes, trips a sanitizer or a check, or runs longer than S seconds is
// written to "<program>.crash-input" in the current folder; replay it alone with
//   fuzz_x -mutations=0 <program>.crash-input
//
// Kept free of Qt so that it adds nothing to what the target itself exercises.

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KV_REPLAY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KV_REPLAY_ASAN 1
#endif
#endif
#ifdef KV_REPLAY_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Defined only by targets that need set-up (an application object, a temporary folder).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

namespace fs = std::filesystem;

// What the crash handlers need, set before each input. Plain data only: the handlers may
// run inside a signal.
const char* volatile g_current = nullptr;
volatile std::size_t g_currentSize = 0;
char g_crashPath[4096];
char g_description[512];
int g_timeoutSeconds = 10;

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= std::size_t(n);
    }
}

void say(const char* text)
{
    writeAll(STDERR_FILENO, text, std::strlen(text));
}

// Async-signal-safe: open, write and close only.
void saveCurrentInput()
{
    static volatile sig_atomic_t saved = 0;
    if (saved || !g_current)
        return;
    saved = 1;
    const int fd = ::open(g_crashPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        writeAll(fd, g_current, g_currentSize);
        ::close(fd);
    }
    say("\nfuzz replay: failed on ");
    say(g_description);
    say("\nfuzz replay: the input is saved in ");
    say(g_crashPath);
    say("\n");
}

void onFatalSignal(int sig)
{
    saveCurrentInput();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void onTimeout(int)
{
    say("\nfuzz replay: the input ran longer than the time allowed");
    saveCurrentInput();
    ::_exit(70);
}

void installHandlers()
{
#ifdef KV_REPLAY_ASAN
    // The sanitizers handle faults themselves (and print the better report); they call this
    // before the process ends.
    __sanitizer_set_death_callback(saveCurrentInput);
#else
    // Runaway recursion overflows the stack: the handler needs a stack of its own.
    static char alternateStack[64 * 1024];
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);
    struct sigaction action{};
    action.sa_handler = onFatalSignal;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        ::sigaction(sig, &action, nullptr);
#endif
    // Failed checks and assertions end in abort() with or without sanitizers.
    std::signal(SIGABRT, onFatalSignal);
    std::signal(SIGALRM, onTimeout);
}

// splitmix64: small, fast, and the same on every platform.
struct Rng
{
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, n); 0 when n is 0.
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::size_t(next() % n); }
};

std::uint64_t fnv1a(const std::string& data)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : data)
        h = (h ^ c) * 0x100000001B3ull;
    return h;
}

// Bytes readers treat specially somewhere: line ends, brackets, quotes, separators, digits,
// signs, and bytes that are not text.
const char kSpecialBytes[] = "\0\n\r\t ()[]<>\"'\\=!;|^./-+0179eE#*\x7f\x80\xbf\xc3\xef\xff";

// Short texts that reach number parsing, encodings and nesting limits.
const char* const kTokens[] = {
    "\r\n", "\n\n", "\xEF\xBB\xBF", "\xFF\xFE", "\xC3\x28", "\xED\xA0\x80", "\xF0\x9F\x98\x80",
    "0", "-1", "-0.", ".5", "1e308", "1e309", "-1e400", "nan", "inf", "2147483647", "2147483648",
    "-2147483649", "32768", "65536", "99999999999999999999", "0x7fffffff",
    "((((((((", "))))))))", "\"\"", "\"\\", "'(", " . ", ";|", "|;", "=", "==", "!!", "^^", "[]", "<>",
    "  0\nSECTION\n", "  0\nEOF\n", " 10\n", "1.#INF", "%1",
};

// Tail of a range: where it starts and how long it is, both within size.
std::pair<std::size_t, std::size_t> pickRange(Rng& rng, std::size_t size)
{
    const std::size_t start = rng.below(size + 1);
    const std::size_t rest = size - start;
    // Mostly short ranges, sometimes long ones.
    const std::size_t maxLen = rng.below(4) == 0 ? rest : std::min<std::size_t>(rest, 16);
    return {start, rng.below(maxLen + 1)};
}

void mutateOnce(std::string& s, Rng& rng, const std::vector<std::string>& seeds, int kind)
{
    switch (kind) {
    case 0: // truncate
        s.resize(rng.below(s.size() + 1));
        break;
    case 1: // flip one bit
        if (!s.empty())
            s[rng.below(s.size())] ^= char(1u << rng.below(8));
        break;
    case 2: // overwrite a byte with a special one
        if (!s.empty())
            s[rng.below(s.size())] = kSpecialBytes[rng.below(sizeof kSpecialBytes - 1)];
        break;
    case 3: { // insert a special byte
        s.insert(s.begin() + std::ptrdiff_t(rng.below(s.size() + 1)),
                 kSpecialBytes[rng.below(sizeof kSpecialBytes - 1)]);
        break;
    }
    case 4: { // insert a token
        const char* token = kTokens[rng.below(std::size(kTokens))];
        s.insert(rng.below(s.size() + 1), token);
        break;
    }
    case 5: { // delete a range
        const auto [start, len] = pickRange(rng, s.size());
        s.erase(start, len);
        break;
    }
    case 6: { // copy a range elsewhere
        const auto [start, len] = pickRange(rng, s.size());
        const std::string piece = s.substr(start, len);
        s.insert(rng.below(s.size() + 1), piece);
        break;
    }
    case 7: { // repeat a range in place: deep nesting, many equal keys, long lines
        const auto [start, len] = pickRange(rng, s.size());
        const std::string piece = s.substr(start, std::min<std::size_t>(len, 64));
        const std::size_t times = 2 + rng.below(rng.below(2) ? 8 : 200);
        std::string repeated;
        for (std::size_t i = 0; i < times; ++i)
            repeated += piece;
        s.insert(start, repeated);
        break;
    }
    case 8: { // splice in a range of another seed
        const std::string& other = seeds[rng.below(seeds.size())];
        const auto [start, len] = pickRange(rng, other.size());
        s.insert(rng.below(s.size() + 1), other.substr(start, len));
        break;
    }
    default: { // swap two bytes
        if (s.size() >= 2)
            std::swap(s[rng.below(s.size())], s[rng.below(s.size())]);
        break;
    }
    }
}

constexpr int kMutationKinds = 10;

// Mutation number `index` of a seed: one change, or up to four stacked.
std::string mutation(const std::string& seed, int index, const std::vector<std::string>& seeds)
{
    Rng rng{fnv1a(seed) ^ (std::uint64_t(index) * 0xD1B54A32D192ED03ull)};
    std::string s = seed;
    const int changes = index % 3 == 2 ? 2 + int(rng.below(3)) : 1;
    for (int i = 0; i < changes; ++i)
        mutateOnce(s, rng, seeds, i == 0 ? index % kMutationKinds : int(rng.below(kMutationKinds)));
    return s;
}

void run(const std::string& input, const std::string& description)
{
    std::snprintf(g_description, sizeof g_description, "%s", description.c_str());
    g_current = input.data();
    g_currentSize = input.size();
    ::alarm(unsigned(g_timeoutSeconds));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    ::alarm(0);
    g_current = nullptr;
}

bool readFile(const fs::path& path, std::string* out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s [-mutations=N] [-timeout=SECONDS] <corpus folder or file>...\n", program);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string program = fs::path(argv[0]).filename().string();
    std::snprintf(g_crashPath, sizeof g_crashPath, "%s", (fs::current_path() / (program + ".crash-input")).c_str());

    int mutations = 300;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("-mutations=", 0) == 0) {
            mutations = std::max(0, std::atoi(arg.c_str() + 11));
        } else if (arg.rfind("-timeout=", 0) == 0) {
            g_timeoutSeconds = std::max(1, std::atoi(arg.c_str() + 9));
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(argv[0]);
        } else if (fs::is_directory(arg)) {
            std::vector<fs::path> found;
            for (const fs::directory_entry& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file())
                    found.push_back(entry.path());
            // Directory order differs between file systems; the replay must not.
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(arg)) {
            files.emplace_back(arg);
        } else {
            std::fprintf(stderr, "%s: no such corpus folder or file: %s\n", program.c_str(), arg.c_str());
            return 2;
        }
    }
    if (files.empty())
        return usage(argv[0]);

    std::vector<std::string> seeds(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!readFile(files[i], &seeds[i])) {
            std::fprintf(stderr, "%s: cannot read %s\n", program.c_str(), files[i].c_str());
            return 2;
        }
    }

    installHandlers();
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::size_t inputs = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const Clock::time_point seedStart = Clock::now();
        const std::string name = files[i].filename().string();
        run(seeds[i], name);
        for (int m = 0; m < mutations; ++m)
            run(mutation(seeds[i], m, seeds), name + " mutation " + std::to_string(m));
        inputs += std::size_t(mutations) + 1;
        std::printf("%s: %s, %d mutations, %.2f s\n", program.c_str(), name.c_str(), mutations,
                    std::chrono::duration<double>(Clock::now() - seedStart).count());
    }
    std::printf("%s: %zu seeds, %zu inputs, %.2f s\n", program.c_str(), seeds.size(), inputs,
                std::chrono::duration<double>(Clock::now() - start).count());
    return 0;
}
