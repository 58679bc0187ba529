// A function declared int must return a value on the path it takes first.
int Clamp(int value)
{
    if (value < 0)
        value = 0;
}

Clamp(Reading);
