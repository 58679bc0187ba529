/* Grade report: turns the points of one student into a mark and a
   comment for the school's report printer (PrintLine, StudentName and
   Points are supplied by the printer host). */

int thresholds[5];
string marks[5];

void SetUpScale()
{
    thresholds[0] = 90; marks[0] = "A";
    thresholds[1] = 75; marks[1] = "B";
    thresholds[2] = 60; marks[2] = "C";
    thresholds[3] = 45; marks[3] = "D";
    thresholds[4] = 0;  marks[4] = "F";
}

int Percent(int part, int whole)
{
    if (whole == 0)
        return 0;
    return part * 100 / whole;
}

string MarkFor(int percent)
{
    int k = 0;
    while (k < 4 && percent < thresholds[k])
        k++;
    return marks[k];
}

SetUpScale();

int total = 0;
int maximum = 0;
int task = 0;
do {
    total += Points[task];
    maximum += 10;
    task++;
} while (task < 8);

int percent = Percent(total, maximum);
string mark = MarkFor(percent);
string comment;

if (percent >= 90)
    comment = "excellent";
else if (percent >= 60)
    comment = "passed";
else
    comment = "needs another attempt";

PrintLine(StudentName + ": " + mark + " (" + string(percent) + "%, " + comment + ")");
