// Functions are declared with their body; prototypes are not supported.
int Maximum(int a, int b);

int Maximum(int a, int b)
{
    if (a > b)
        return a;
    return b;
}
