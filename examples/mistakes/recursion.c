// Every branch runs during validation, so this recursion never ends.
int Factorial(int n)
{
    if (n > 1)
        return n * Factorial(n - 1);
    return 1;
}

int f = Factorial(5);
