// An else after an unbraced loop belongs to no if.
int level = 0;
if (Sensor)
    while (level < 3)
        level++;
else
    level = 0;
