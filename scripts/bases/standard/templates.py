"""Phrase patterns; each takes a random.Random and returns a list of words."""
from grammar import past, adj_nom, adj_acc
from phrase_parts import adjs_for, pick_adj, subject, obj, opt
from words_actors import ACTORS
from words_verbs import TRANSITIVE
from words_verbs_intr import INTRANSITIVE
from words_adjectives import THING_ADJ, RELATIONAL
from words_places import PLACES
from words_times import TIMES_PAST, TIMES_PRES, DESTINATIONS
from words_links import (MODALS_PAST, MODALS_PRES, TEACH, MOTION_PAST,
                         MOTION_PRES, CONTEXTS, INTENSIFIERS, FAIRY)


def intr_past(r):
    n, s = subject(r)
    v = past(r.choice(INTRANSITIVE).past, n.g)
    return opt(r, TIMES_PAST, 0.5) + [s] + opt(r, PLACES, 0.7) + [v]


def intr_pres(r):
    n, s = subject(r)
    v = r.choice(INTRANSITIVE).pres(n.g)
    return opt(r, TIMES_PRES, 0.5) + [s] + opt(r, PLACES, 0.7) + [v]


def trans_past(r):
    n, s = subject(r)
    verb = r.choice(TRANSITIVE)
    o = obj(r, n, verb)[1]
    v = past(verb.past, n.g)
    return [s] + opt(r, TIMES_PAST + PLACES, 0.4) + [o, v]


def trans_pres(r):
    n, s = subject(r)
    verb = r.choice(TRANSITIVE)
    o = obj(r, n, verb)[1]
    v = verb.pres(n.g)
    return opt(r, TIMES_PRES, 0.35) + [s] + opt(r, PLACES, 0.25) + [o, v]


def modal_verb(r, g):
    if r.random() < 0.5:
        return past(r.choice(MODALS_PAST), g)
    sg, pl = r.choice(MODALS_PRES)
    return pl if g == "p" else sg


def modal(r):
    n, s = subject(r, 0.2)
    m = modal_verb(r, n.g)
    if r.random() < 0.6:
        verb = r.choice(TRANSITIVE)
        return [s, m, obj(r, n, verb, 0.2)[1], verb.inf]
    return [s, m] + opt(r, PLACES, 0.8) + [r.choice(INTRANSITIVE).inf]


def teach(r):
    n, s = subject(r, 0.2)
    sg, pl, p = r.choice(TEACH)
    v = past(p, n.g) if r.random() < 0.4 else (pl if n.g == "p" else sg)
    o = obj(r, n, None, 0.15, 1.0)[1]
    return [s, v, o] + opt(r, PLACES, 0.2) + [r.choice(INTRANSITIVE).inf]


def motion(r):
    n, s = subject(r, 0.2)
    if r.random() < 0.7:
        v = past(r.choice(MOTION_PAST), n.g)
    else:
        sg, pl = r.choice(MOTION_PRES)
        v = pl if n.g == "p" else sg
    if r.random() < 0.5:
        verb = r.choice(TRANSITIVE)
        tail = [obj(r, n, verb, 0.1)[1], verb.inf]
    else:
        tail = [r.choice(INTRANSITIVE).inf]
    return [s, v, r.choice(DESTINATIONS)] + tail


def intensifier(r, g):
    w = r.choice(INTENSIFIERS)
    return adj_nom(w, g) if w == "ТАКОЙ" else w


def pred_adj(r):
    n, s = subject(r, 0.0)
    ctx = r.choice(CONTEXTS)
    if n.nom.split()[0][:4] in ctx:
        return None
    a = adj_nom(pick_adj(r, [x for x in adjs_for(n) if x not in RELATIONAL], n), n.g)
    return [ctx, s] + ([intensifier(r, n.g)] if r.random() < 0.8 else []) + [a]


def fairy(r):
    n, s = subject(r, 0.0)
    a = adj_nom(pick_adj(r, adjs_for(n), n), n.g)
    return [FAIRY[n.g]] + opt(r, PLACES, 0.6) + [s, a]


def obj_post(r):
    n, s = subject(r, 0.0)
    verb = r.choice(TRANSITIVE)
    o, _ = obj(r, n, verb, 0.0, 0.1)
    v = past(verb.past, n.g)
    a = adj_acc(pick_adj(r, adjs_for(o) if o in ACTORS else THING_ADJ, o), o)
    return [s] + opt(r, TIMES_PAST, 0.4) + [v, o.acc, a]


def two_verbs(r):
    n, s = subject(r, 0.2)
    a, b = r.sample(INTRANSITIVE, 2)
    return [s] + opt(r, PLACES, 0.5) + [past(a.past, n.g), "И", past(b.past, n.g)]


PATTERNS = [
    (intr_past, 14), (intr_pres, 10), (trans_past, 14), (trans_pres, 14),
    (modal, 12), (teach, 8), (motion, 10), (pred_adj, 8), (fairy, 3),
    (obj_post, 4), (two_verbs, 5),
]


def make_line(r):
    f = r.choices([p for p, _ in PATTERNS], [w for _, w in PATTERNS])[0]
    words = f(r)
    if words is None or len(words) < 3:
        return None
    return " ".join(words)
