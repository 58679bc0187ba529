// Text helpers for the label printer: names are cut to the label width and
// measurements are printed with their unit. LabelWidth and Measured come
// from the printer host; PrintLabel sends one line to it.

string Shorten(string text, int width)
{
    if (strlen(text) <= width)
        return text;
    return strtrim(text, 0, width - 2) + "~";
}

string WithUnit(float value, string unit)
{
    return string(value) + " " + unit;
}

float Hypotenuse(float a, float b)
{
    return sqrt(pow(a, 2) + pow(b, 2));
}

float angle = DEG(atan(0.75));
string title = Shorten("Stainless steel mounting bracket", 20);
string size = WithUnit(Hypotenuse(3, 4), "cm");
int copies = int("3 copies");

for (int n = 0; n < copies; n++) {
    PrintLabel(title);
    PrintLabel(size);
}

if (Measured) {
    PrintLabel("angle " + string(angle));
}
return copies;
