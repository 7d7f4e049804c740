"""Rhyme endings as the program folds them, and partner statistics."""

FOLD = str.maketrans({
    "Б": "Х", "В": "Х", "Г": "Х", "П": "Х", "Ф": "Х",
    "Д": "Т", "Ж": "Ш", "Ч": "Ш", "Щ": "Ш", "З": "С", "Ц": "С",
    "М": "Н", "Э": "И", "Ю": "У", "Я": "А",
})


def fold(word):
    return word.translate(FOLD)


def last_word(line):
    return line.rsplit(" ", 1)[-1]


def ending_classes(lines, k):
    """Folded k-letter ending -> {folded last word: count}."""
    classes = {}
    for line in lines:
        w = fold(last_word(line))
        d = classes.setdefault(w[-k:], {})
        d[w] = d.get(w, 0) + 1
    return classes


def has_partner(word, classes, k):
    w = fold(word)
    for other in classes.get(w[-k:], {}):
        if other != w and other not in w:
            return True
    return False


def share(lines, k):
    classes = ending_classes(lines, k)
    good = sum(1 for x in lines if has_partner(last_word(x), classes, k))
    return good / len(lines)


def lonely(lines, k):
    classes = ending_classes(lines, k)
    return [x for x in lines if not has_partner(last_word(x), classes, k)]
