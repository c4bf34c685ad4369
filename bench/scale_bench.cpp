// Scale figures for the scan into the visible pending list and for a suffix
// rename of every listed file, each against the bare Win32 loop doing the same
// file-system work in the same run. It prints figures; it passes no verdict.
//
//   scale_bench scan ROOT [ROUNDS]     bare FindFirstFileA walk vs the scan
//   scale_bench rename TREE_A TREE_B   bare MoveFileA loop on A vs a run on B
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/rename.h"
#include "core/scan.h"
#include "platform/win32/win32_file_system.h"
#include "ui/main_window.h"

namespace velmora {
namespace {

double seconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The plainest recursive listing of the same tree: what the scan must not be
// much slower than.
void bare_walk(const std::string& folder, std::vector<std::string>& files) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(folder + "\\" + data.cFileName);
        } else if (std::strcmp(data.cFileName, ".") && std::strcmp(data.cFileName, "..")) {
            bare_walk(folder + "\\" + data.cFileName, files);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

class NoEvents : public MainWindowEvents {
public:
    void on_created(MainWindow&) override {}
    void on_clicked(MainWindow&, Button) override {}
    void on_banner_pressed(MainWindow&, int, int, int) override {}
};

// The real window, shown, so the list box pays for being visible.
std::unique_ptr<MainWindow> shown_window(NoEvents& events) {
    auto window = MainWindow::create(GetModuleHandleA(nullptr), events);
    if (!window) {
        std::fprintf(stderr, "cannot create the window\n");
        std::exit(2);
    }
    window->show();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return window;
}

void print_memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("peak working set: %.1f MiB, peak private bytes: %.1f MiB\n",
                static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0,
                static_cast<double>(counters.PeakPagefileUsage) / 1048576.0);
}

int bench_scan(const std::string& root, int rounds) {
    NoEvents events;
    auto window = shown_window(events);
    Controls& controls = window->controls();
    Win32FileSystem fs;
    controls.set_text(EditBox::编辑框1, root);
    controls.set_text(EditBox::编辑框4, "*.*");
    SendMessageA(window->control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);

    std::vector<double> walk_times, scan_times;
    std::size_t walked = 0;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::string> files;
        double start = seconds();
        bare_walk(root, files);
        walk_times.push_back(seconds() - start);
        walked = files.size();

        start = seconds();
        scan(controls, fs);
        scan_times.push_back(seconds() - start);
    }
    int listed = controls.item_count();
    double walk = median(walk_times), scanned = median(scan_times);
    std::printf("files: walked %zu, listed %d\n", walked, listed);
    std::printf("bare walk: median %.3f s, best %.3f s (%d rounds)\n", walk,
                *std::min_element(walk_times.begin(), walk_times.end()), rounds);
    std::printf("scan into the visible list: median %.3f s, best %.3f s\n", scanned,
                *std::min_element(scan_times.begin(), scan_times.end()));
    std::printf("ratio scan / walk (medians): %.2f\n", scanned / walk);
    print_memory();
    return listed == static_cast<int>(walked) ? 0 : 1;
}

int bench_rename(const std::string& tree_a, const std::string& tree_b) {
    // Bare loop: the same renames the suffix rule makes ("x.txt" to
    // "xTAG.txt"), on a list read beforehand.
    std::vector<std::string> files;
    bare_walk(tree_a, files);
    double start = seconds();
    int moved = 0;
    for (const std::string& path : files) {
        std::string target = path.substr(0, path.size() - 4) + "TAG.txt";
        moved += MoveFileA(path.c_str(), target.c_str()) ? 1 : 0;
    }
    double bare = seconds() - start;

    NoEvents events;
    auto window = shown_window(events);
    Controls& controls = window->controls();
    Win32FileSystem fs;
    controls.set_text(EditBox::编辑框1, tree_b);
    SendMessageA(window->control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
    scan(controls, fs);
    int listed = controls.item_count();
    controls.set_text(EditBox::编辑框2, "TAG");
    start = seconds();
    batch_rename(controls, fs, Rule::suffix);
    double run = seconds() - start;
    int left = controls.item_count();

    std::printf("files: %zu; bare loop renamed %d; run renamed %d of %d\n", files.size(), moved,
                listed - left, listed);
    std::printf("bare MoveFileA loop: %.3f s\n", bare);
    std::printf("suffix rename of the visible list: %.3f s\n", run);
    std::printf("ratio run / loop: %.3f\n", run / bare);
    print_memory();
    return moved == listed && left == 0 ? 0 : 1;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "scan") == 0) {
        return velmora::bench_scan(argv[2], argc >= 4 ? std::atoi(argv[3]) : 3);
    }
    if (argc >= 4 && std::strcmp(argv[1], "rename") == 0) {
        return velmora::bench_rename(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: scale_bench scan ROOT [ROUNDS] | rename TREE_A TREE_B\n");
    return 2;
}
