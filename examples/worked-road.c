int x;
x = y + f(2);
