#include "librarian/Reorder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdlib>

namespace sondrake::reorder {

namespace {

constexpr int kLast = kSlotCount - 1;

// Sorted, without repeats, only real rows.
void normalise(std::vector<int>& selection)
{
    std::erase_if(selection, [](int r) { return !isValidSlot(r); });
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
}

std::array<bool, kSlotCount> marks(const std::vector<int>& selection)
{
    std::array<bool, kSlotCount> selected{};
    for (int r : selection)
        selected[static_cast<std::size_t>(r)] = true;
    return selected;
}

} // namespace

bool moveUp(SoundStore& store, std::vector<int>& selection)
{
    normalise(selection);
    if (selection.empty() || selection.front() == 0)
        return false;
    const auto selected = marks(selection);
    auto sel = [&](int k) { return selected[static_cast<std::size_t>(k)]; };

    const int low = std::max(selection.front() - 1, 0);
    const int high = std::min(selection.back() + 1, kLast);
    SoundDump carried{};
    bool carrying = false;
    for (int k = low; k <= high; ++k) {
        if (sel(k)) {
            // k >= 1 here: row 0 is never selected on this path.
            if (!sel(k - 1)) {
                carried = store.slot(k - 1);
                carrying = true;
            }
            store.slot(k - 1) = store.slot(k);
            if (k == kLast)
                store.slot(k) = carried;
        } else if (carrying) {
            store.slot(k - 1) = carried;
            carrying = false;
        }
    }
    for (int& r : selection)
        --r;
    return true;
}

bool moveDown(SoundStore& store, std::vector<int>& selection)
{
    normalise(selection);
    if (selection.empty() || selection.back() == kLast)
        return false;
    const auto selected = marks(selection);
    auto sel = [&](int k) { return selected[static_cast<std::size_t>(k)]; };

    const int low = std::max(selection.front() - 1, 0);
    const int high = std::min(selection.back() + 1, kLast);
    SoundDump carried{};
    bool carrying = false;
    for (int k = high; k >= low; --k) {
        if (sel(k)) {
            // k <= 198 here: row 199 is never selected on this path.
            if (!sel(k + 1)) {
                carried = store.slot(k + 1);
                carrying = true;
            }
            store.slot(k + 1) = store.slot(k);
            if (k == 0)
                store.slot(0) = carried;
        } else if (carrying) {
            // Puts back what was carried and picks up this row unchanged, so
            // unselected rows between runs keep their sounds.
            store.slot(k + 1) = carried;
            carried = store.slot(k);
        }
    }
    for (int& r : selection)
        ++r;
    return true;
}

int moveToStepCount(const std::vector<int>& selection, int target)
{
    if (selection.empty())
        return 0;
    const int first = selection.front();
    const int last = selection.back();
    if (target < first)
        return first - target;
    return std::abs(target - last);
}

int moveToStep(SoundStore& store, std::vector<int>& selection, int target)
{
    normalise(selection);
    if (selection.empty())
        return 0;
    const int first = selection.front();
    if (target < first)
        return moveUp(store, selection) ? -1 : 0;
    if (target > first)
        return moveDown(store, selection) ? 1 : 0;
    return 0;
}

void moveTo(SoundStore& store, std::vector<int>& selection, int target)
{
    normalise(selection);
    const int steps = moveToStepCount(selection, target);
    for (int i = 0; i < steps; ++i)
        moveToStep(store, selection, target);
}

std::string sortKey(const SoundStore& store, int slot)
{
    std::string key = store.getSoundName(slot);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

namespace {

// Unsigned byte order; a prefix comes before the longer key.
bool greater(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    const int c = std::memcmp(a.data(), b.data(), n);
    if (c != 0)
        return c > 0;
    return a.size() > b.size();
}

struct Sorter {
    SoundStore& store;
    const std::vector<int>& p;
    std::vector<std::string> keys; // keys[i] = key of the sound now at p[i]

    void exchange(int i, int j)
    {
        store.swapSlots(p[static_cast<std::size_t>(i)], p[static_cast<std::size_t>(j)]);
        std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
    }

    int partition(int i, int j)
    {
        int d = 1;
        while (i < j) {
            if (greater(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)])) {
                exchange(i, j);
                d = -d;
            }
            if (d == 1)
                ++i;
            else
                --j;
        }
        return i;
    }

    void sort(int lo, int hi)
    {
        if (lo >= hi)
            return;
        const int q = partition(lo, hi);
        sort(lo, q - 1);
        sort(q + 1, hi);
    }
};

} // namespace

void sortByName(SoundStore& store, const std::vector<int>& positions)
{
    std::vector<int> p = positions;
    normalise(p);
    Sorter sorter { store, p, {} };
    sorter.keys.reserve(p.size());
    for (int s : p)
        sorter.keys.push_back(sortKey(store, s));
    sorter.sort(0, static_cast<int>(p.size()) - 1);
}

bool swapForDrop(SoundStore& store, int targetRow, int firstSelectedRow)
{
    if (!isValidSlot(targetRow) || !isValidSlot(firstSelectedRow))
        return false;
    store.swapSlots(targetRow, firstSelectedRow);
    return true;
}

} // namespace sondrake::reorder
