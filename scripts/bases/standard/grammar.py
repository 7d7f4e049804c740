"""Small Russian morphology helpers for the standard base generator.

Genders: m, f, n (singular) and p (plural).
"""

GENDERS = ("m", "f", "n", "p")
VELAR = "КГХ"
HUSH = "ЖШЧЩ"


class Noun:
    """A noun phrase: nominative, gender, accusative, animacy."""

    def __init__(self, nom, gender, acc=None):
        self.nom = nom
        self.g = gender
        self.anim = acc is not None and gender in ("m", "p")
        self.acc = acc if acc is not None else default_acc(nom, gender)

    def __repr__(self):
        return "Noun(%s)" % self.nom


def default_acc(nom, gender):
    if gender != "f":
        return nom
    words = nom.split(" ")
    last = words[-1]
    if last.endswith("А"):
        last = last[:-1] + "У"
    elif last.endswith("Я"):
        last = last[:-1] + "Ю"
    words[-1] = last
    return " ".join(words)


def parse_nouns(text):
    """Lines 'NOM|g' or 'NOM|g|ACC' (explicit accusative means animate)."""
    out = []
    for line in text.strip().splitlines():
        parts = [x.strip() for x in line.split("|")]
        out.append(Noun(parts[0], parts[1], parts[2] if len(parts) > 2 else None))
    return out


def adj_forms(masc):
    """Return dict: m f n p (nominative) and acc forms a_f, a_ma, a_pa."""
    stem, end = masc[:-2], masc[-2:]
    last = stem[-1]
    if end == "ЫЙ":
        return _forms(stem, "ЫЙ", "АЯ", "ОЕ", "ЫЕ", "УЮ", "ОГО", "ЫХ")
    if end == "ОЙ":
        if last in VELAR or last in HUSH:
            return _forms(stem, "ОЙ", "АЯ", "ОЕ", "ИЕ", "УЮ", "ОГО", "ИХ")
        return _forms(stem, "ОЙ", "АЯ", "ОЕ", "ЫЕ", "УЮ", "ОГО", "ЫХ")
    if end == "ИЙ":
        if last in VELAR:
            return _forms(stem, "ИЙ", "АЯ", "ОЕ", "ИЕ", "УЮ", "ОГО", "ИХ")
        if last in HUSH:
            return _forms(stem, "ИЙ", "АЯ", "ЕЕ", "ИЕ", "УЮ", "ЕГО", "ИХ")
        return _forms(stem, "ИЙ", "ЯЯ", "ЕЕ", "ИЕ", "ЮЮ", "ЕГО", "ИХ")
    raise ValueError("unknown adjective type: " + masc)


def _forms(stem, m, f, n, p, af, ama, apa):
    return {"m": stem + m, "f": stem + f, "n": stem + n, "p": stem + p,
            "a_f": stem + af, "a_ma": stem + ama, "a_pa": stem + apa}


def adj_nom(masc, gender):
    return adj_forms(masc)[gender]


def adj_acc(masc, noun):
    forms = adj_forms(masc)
    if noun.g == "f":
        return forms["a_f"]
    if noun.g == "m":
        return forms["a_ma"] if noun.anim else forms["m"]
    if noun.g == "p":
        return forms["a_pa"] if noun.anim else forms["p"]
    return forms["n"]


def past(form, gender):
    """Past tense from 'МАСК' or 'МАСК/STEM'; reflexive ends in СЯ."""
    if "/" in form:
        masc, stem = form.split("/")
        stem = stem + "Л"
    else:
        masc, stem = form, None
    refl = masc.endswith("СЯ")
    if refl:
        masc = masc[:-2]
    if stem is None:
        stem = masc if masc.endswith("Л") else masc + "Л"
    if gender == "m":
        return masc + ("СЯ" if refl else "")
    tail = {"f": "А", "n": "О", "p": "И"}[gender]
    return stem + tail + ("СЬ" if refl else "")


if __name__ == "__main__":
    for v in ("ЗАПЕЛ", "НАШЕЛ/НАШ", "ИСПЕК", "ЗАДУМАЛСЯ", "ЗАМЕРЗ", "ПОДМЕЛ"):
        print([past(v, g) for g in GENDERS])
    for a in ("СТАРЫЙ", "МОЛОДОЙ", "БОЛЬШОЙ", "ТИХИЙ", "РЫЖИЙ", "ВЕСЕННИЙ",
              "ГОРОДСКОЙ"):
        print(adj_forms(a))
