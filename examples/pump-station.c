// Pump station controller: reads the host's sensors, keeps a short history and
// switches the pumps. PumpPressure, TankLevel, Mode, SetPump and LogLine
// are provided by the station host.

int history[16];
int samples = 0;
float averageLevel = 0.0;
float pressureLimit = 6.5;
string status = "idle";

// Mean of the first count entries of the history.
float Mean(int count)
{
    if (count <= 0)
        return 0.0;
    int sum = 0;
    for (int k = 0; k < count; k++)
        sum += history[k];
    return float(sum) / count;
}

void Remember(int level)
{
    history[samples % 16] = level;
    samples++;
}

int Clamp(int value, int low, int high)
{
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

Remember(int(TankLevel));
averageLevel = Mean(Clamp(samples, 0, 16));

if (PumpPressure > pressureLimit) {
    SetPump(1, 0);
    status = "overpressure";
} else {
    SetPump(1, 1);
}

switch (Mode) {
case 0:
    status = "idle";
    break;
case 1:
    status = "filling";
    break;
default:
    status = "manual";
}

LogLine("Pump station: " + status + ", level " + string(averageLevel));
