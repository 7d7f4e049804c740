"""Building blocks of a phrase: a subject, an object, an optional word."""
from grammar import adj_nom, adj_acc
from words_actors import ACTORS, PEOPLE, ANIMALS, OBJECTS
from words_things import THINGS
from words_adjectives import CHARACTER_ADJ, THING_ADJ


def adjs_for(noun):
    return THING_ADJ + CHARACTER_ADJ if noun in OBJECTS else CHARACTER_ADJ


def pick_adj(r, pool, n):
    """An adjective that does not merely repeat the noun's stem."""
    while True:
        a = r.choice(pool)
        if a[:3] != n.nom[:3]:
            return a


def subject(r, adj=0.3):
    n = r.choice(r.choices([PEOPLE, ANIMALS, OBJECTS], [45, 30, 25])[0])
    text = n.nom
    if r.random() < adj:
        text = adj_nom(pick_adj(r, adjs_for(n), n), n.g) + " " + text
    return n, text


def obj(r, subj, verb=None, adj=0.3, actors=0.2):
    if verb is not None and not verb.anim:
        actors = 0.0
    while True:
        is_actor = r.random() < actors
        n = r.choice(ACTORS if is_actor else THINGS)
        same_look = n.acc == n.nom and subj.acc == subj.nom and n.g == subj.g
        if n.nom != subj.nom and not same_look:
            break
    if r.random() < adj:
        pool = adjs_for(n) if is_actor else THING_ADJ
        return n, adj_acc(pick_adj(r, pool, n), n) + " " + n.acc
    return n, n.acc


def opt(r, items, p):
    return [r.choice(items)] if r.random() < p else []
