// Dice statistics: rolls two dice a number of times and counts the sums.
// The result is handed to the host's chart through ShowBar.

int counts[13];
int rolls = 0;

int Roll()
{
    return int(rand() * 6) % 6 + 1;
}

void Count(int sum)
{
    if (sum < 2 || sum > 12) {
        Warn("impossible sum");
        return;
    }
    counts[sum]++;
    rolls++;
}

int Most()
{
    int best = 2;
    for (int s = 3; s <= 12; s++) {
        if (counts[s] > counts[best])
            best = s;
    }
    return best;
}

int r = 0;
while (r < 1000) {
    Count(Roll() + Roll());
    r++;
}

int s = 2;
do {
    ShowBar(s, counts[s]);
    s++;
    continue;
} while (s <= 12);

float share = float(counts[Most()]) / rolls;
ShowBar(Most(), int(share * 100));
